#include "app/core/shell_texts.h"

namespace lumora {

std::string mainWindowCaption(const AppVersion& version) {
  return "Corvane Lumora Trace Server v" + std::to_string(version.major) + "." + std::to_string(version.minor) +
         std::to_string(version.revision);
}

namespace {

// "COM3", with the device after it where the port is not named so: "COM3 (/dev/ttyUSB0)".
std::string portName(int port, std::string_view device) {
  const std::string name = "COM" + std::to_string(port);
  return device == name ? name : name + " (" + std::string(device) + ")";
}

}  // namespace

std::string portLostStatus(int port, std::string_view device) {
  return "Port Lost: " + portName(port, device) + "\nIt is tried again until it returns...";
}

std::string portLostTip(int port, std::string_view device) {
  return std::string(kTrayIconTip) + "\nPort Lost: " + portName(port, device) + ", retrying";
}

std::string linkStatusText(int port, std::string_view device, std::string_view settings, LinkPhase phase,
                           std::string_view job, bool portLost) {
  std::string doing = "listening";
  if (portLost) doing = "lost, retrying";
  else if (phase == LinkPhase::Receiving) doing = "receiving job " + std::string(job);
  else if (phase == LinkPhase::AwaitingOperator) doing = "waiting for the operator, job " + std::string(job);
  return portName(port, device) + " " + std::string(settings) + ": " + doing;
}

std::string listeningNotice(int port, std::string_view device, std::string_view settings) {
  return "Listening for traces on " + portName(port, device) + " at " + std::string(settings);
}

std::string traceStoredNotice(std::string_view job) { return "Trace stored: " + std::string(job); }

std::string portBackNotice(int port, std::string_view device) { return "Port back: " + portName(port, device); }

std::optional<Problem> portOpenProblem(int port, bool opened) {
  if (!portNumberUsable(port)) return Problem{kNoComPort};
  if (!opened) return Problem{kComPortNotOpened};
  return std::nullopt;
}

}  // namespace lumora
