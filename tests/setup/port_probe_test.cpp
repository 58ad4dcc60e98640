#include "setup/core/port_probe.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace lumora {
namespace {

using Lines = std::vector<std::string>;

// A device on one port: its reply to the detection command, the fastest speed at which it
// answers "AT" with OK, and the fastest speed its driver opens at.
struct FakeDevice {
  std::string detectReply;
  std::int32_t fastestAnswer = 0;
  std::int32_t fastestOpen = 1'000'000;
};

// Probes with `device` on port 2 and no device on the other ports, on a fake clock where a
// reply arrives 20 ms after its command. Returns port 2's entry and what it heard
// ("AT@57600"; "refused@256000" for a speed its driver refused). An action on another port
// than the open one, or a port left open, fails the test.
std::pair<std::string, Lines> probeWith(const FakeDevice& device) {
  using Kind = ProbeAction::Kind;
  PortProbe probe(0, 19200);
  Lines heard;
  std::int64_t now = 0;
  int openPort = 0;
  std::int32_t openSpeed = 0;
  std::string reply;
  for (int guard = 0; guard < 10'000 && !probe.finished(); ++guard) {
    while (std::optional<ProbeAction> action = probe.nextAction()) {
      EXPECT_EQ(openPort, action->kind == Kind::Open ? 0 : action->port);
      const std::string command = action->bytes.substr(0, action->bytes.find('\r'));
      if (action->kind == Kind::Close) {
        openPort = 0;
      } else if (action->kind == Kind::Write) {
        heard.push_back(command + "@" + std::to_string(openSpeed));
        reply = command == "ATV1Q0" ? device.detectReply : openSpeed <= device.fastestAnswer ? "OK\r\n" : "";
      } else if (action->port == 2 && action->speed <= device.fastestOpen) {
        openPort = 2;
        openSpeed = action->speed;
        probe.opened(now);
      } else {
        if (action->port == 2) heard.push_back("refused@" + std::to_string(action->speed));
        probe.openFailed();
      }
    }
    if (!probe.deadline()) break;
    now = reply.empty() ? *probe.deadline() : now + 20'000;
    reply.empty() ? probe.expire(now) : probe.receive(std::exchange(reply, {}), now);
  }
  EXPECT_TRUE(probe.finished());
  EXPECT_EQ(openPort, 0) << "the probe left a port open";
  return {probe.entries()[1].text, heard};
}

// Detection at 1200, then "AT" from the top speed down to `lowest`.
Lines speedSearchDownTo(std::int32_t lowest) {
  Lines heard{"ATV1Q0@1200"};
  for (auto speed = kProbeSpeeds.rbegin(); speed != kProbeSpeeds.rend() && *speed >= lowest; ++speed)
    heard.push_back("AT@" + std::to_string(*speed));
  return heard;
}

// Silent ports, modems answering at some speeds, held ports and the configured port are met
// over pseudo-terminals (probe_runner_test.cpp); these are the devices no terminal can play.
TEST(PortProbe, ModemsAreListedWithTheFastestSpeedThatAnsweredAndErrorMeansNoModem) {
  const std::string ok = "ATV1Q0\r\r\nOK\r\n";  // the command echoed, then the answer
  Lines refusing = speedSearchDownTo(57600);
  refusing[1] = "refused@256000", refusing[2] = "refused@128000";  // no command where it cannot open
  const struct { FakeDevice device; std::string text; Lines heard; } cases[] = {
      {{"ERROR\r\n"}, "COM: 2  (Available)", {"ATV1Q0@1200"}},
      {{ok, 57600, 115200}, "COM: 2  (Modem - 57600 Max Speed)", refusing},
      {{ok, 256000}, "COM: 2  (Modem - 256000 Max Speed)", speedSearchDownTo(256000)},
      {{ok, 0}, "COM: 2  (Modem - 110 Max Speed)", speedSearchDownTo(110)}};  // silent at every speed
  for (const auto& c : cases) EXPECT_EQ(probeWith(c.device), std::pair(c.text, c.heard));
}

}  // namespace
}  // namespace lumora
