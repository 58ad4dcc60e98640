#include "app/server/headless_server.h"

#include <QCoreApplication>
#include <QDir>
#include <iostream>

#include "app/server/activity_output.h"
#include "app/server/stop_signals.h"
#include "app/server/writable_folder.h"
#include "link/qt/link_session.h"
#include "setup/core/port_device.h"
#include "setup/qt/settings_store.h"

namespace lumora {
namespace {


QString openProblem(SerialPort::OpenResult result) {
  switch (result) {
    case SerialPort::OpenResult::NoSuchPort: return "no such device";
    case SerialPort::OpenResult::Busy: return "in use by another program, or not permitted";
    case SerialPort::OpenResult::SpeedRefused: return "the device refuses the speed, or is no serial port";
    default: return "the device cannot be opened";
  }
}

// The link's settings: the command line first, then the per-user store. An empty device
// means no port is configured.
LinkSession::Settings linkSettings(const ServerOptions& options) {
  const SettingsStore store;
  LinkSession::Settings s;
  s.portNumber = store.readWhole(Setting::Port);
  s.device = QString::fromStdString(
      options.device.empty() ? PortDevice(s.portNumber, store.lookup()) : options.device);
  s.speed = options.speed > 0 ? options.speed : store.readWhole(Setting::Speed);
  s.savePath = QString::fromStdString(options.saveDir.empty() ? store.read(Setting::SavePath)
                                                              : options.saveDir);
  s.prompt = false;  // nobody is there to answer
  return s;
}

}  // namespace

int RunHeadless(const ServerOptions& options) {
  const LinkSession::Settings settings = linkSettings(options);
  if (settings.device.isEmpty()) {
    std::cerr << "No usable port: the setting Port is " << settings.portNumber
              << " (1 to 16 expected); set it in the setup dialog or give --device PATH.\n";
    return 1;
  }
  if (settings.speed <= 0) {
    std::cerr << "No usable port: the setting Speed is not a speed; give --speed N.\n";
    return 1;
  }
  const QString folder = QDir::toNativeSeparators(QDir(settings.savePath).absolutePath());
  // The folder may become usable later (a network folder coming back), so a problem only warns.
  const std::string folderProblem = FolderProblem(settings.savePath);
  const bool folderUsable = folderProblem.empty();
  if (!folderUsable)
    std::cerr << "Cannot create or write the save folder " << folder.toStdString() << " (" << folderProblem
              << "); traces cannot be stored until it can be written.\n";

  // The handlers come first: a stop that arrives while the port opens waits in the pipe
  // until the event loop runs, and still ends with the port closed.
  StopSignals stop;
  QObject::connect(&stop, &StopSignals::stopRequested, QCoreApplication::instance(),
                   &QCoreApplication::quit);
  ActivityOutput output(1);  // outlives the session, whose lines it prints
  const auto printLine = [&output](const QString& line) { output.print(line.toStdString()); };
  LinkSession session(settings);
  QObject::connect(&session, &LinkSession::activityAdded, printLine);
  QObject::connect(&session, &LinkSession::brandMessageRequested, &session,
                   [&session, &printLine](QString text) {
                     printLine("Brand message (not shown): " + text.replace('\n', ' '));
                     session.brandMessageClosed();
                   });
  const SerialPort::OpenResult opened = session.open();
  if (opened != SerialPort::OpenResult::Opened) {
    std::cerr << "No usable port: " << settings.device.toStdString() << ": "
              << openProblem(opened).toStdString() << ".\n";
    return 1;
  }
  printLine("Listening on " + settings.device + " at " + session.settingsText() +
            (folderUsable ? "; traces are stored in " : "; traces cannot be stored yet in ") + folder);
  QCoreApplication::exec();
  session.close();
  printLine("Port closed; stopped.");
  return 0;
}

}  // namespace lumora
