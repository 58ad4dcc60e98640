#include "app/server/headless_server.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <iostream>
#include <optional>
#include <string>

#include "app/server/activity_output.h"
#include "app/server/stop_signals.h"
#include "app/server/writable_folder.h"
#include "base/qt/save_folder.h"
#include "base/qt/qt_text.h"
#include "base/qt/settings_store.h"
#include "history/qt/history_store.h"
#include "history/qt/upload_recording.h"
#include "link/qt/link_session.h"
#include "setup/core/port_device.h"

namespace lumora {
namespace {

QString openProblem(SerialPort::OpenResult result, const QString& device) {
  switch (result) {
    case SerialPort::OpenResult::NoSuchPort: return "no such device";
    case SerialPort::OpenResult::Busy: return "in use by another program, or not permitted";
    case SerialPort::OpenResult::HeldByAnotherServer:
      return "the device " + QFileInfo(device).canonicalFilePath() +
             " is the line of another trace server (or another program holds it)";
    case SerialPort::OpenResult::SpeedRefused: return "the device refuses the speed, or is no serial port";
    default: return "the device cannot be opened";
  }
}

// The link's settings: the command line first, then the per-user store. An empty device
// means no port is configured.
LinkSession::Settings linkSettings(const ServerOptions& options, const SettingsStore& store) {
  LinkSession::Settings s;
  s.portNumber = store.readWhole(Setting::Port);
  s.device = QString::fromStdString(
      options.device.empty() ? portDevice(s.portNumber, store.lookup()) : options.device);
  s.speed = options.speed > 0 ? options.speed : store.readWhole(Setting::Speed);
  s.prompt = false;  // nobody is there to answer
  return s;
}

// Why the settings name no port to listen on; nothing when they do.
std::optional<Problem> portSettingProblem(const LinkSession::Settings& settings) {
  if (settings.device.isEmpty())
    return Problem{"the setting Port is " + std::to_string(settings.portNumber) +
                   " (1 to 16 expected); set it in the setup dialog or give --device PATH"};
  if (settings.speed <= 0) return Problem{"the setting Speed is not a speed; give --speed N"};
  return std::nullopt;
}

// The folder may become usable later (a network folder coming back), so a problem only warns.
bool warnUnlessFolderTakesFiles(const QString& savePath, const QString& shownAs) {
  const std::optional<Problem> problem = folderProblem(savePath);
  if (!problem) return true;
  std::cerr << "Cannot create or write the save folder " << shownAs.toStdString() << " (" << problem->text
            << "); traces cannot be stored until it can be written.\n";
  return false;
}

}  // namespace

int runHeadless(const ServerOptions& options) {
  const SettingsStore store;
  const LinkSession::Settings settings = linkSettings(options, store);
  if (const auto problem = portSettingProblem(settings)) {
    std::cerr << "No usable port: " << problem->text << ".\n";
    return 1;
  }
  SaveFolder saveFolder(options.saveDir.empty() ? store.read(Setting::SavePath) : options.saveDir);
  const QString savePath = QString::fromStdString(saveFolder.path());
  const QString folder = QDir::toNativeSeparators(QDir(savePath).absolutePath());
  const bool folderUsable = warnUnlessFolderTakesFiles(savePath, folder);

  // The handlers come first: a stop that arrives while the port opens waits in the pipe
  // until the event loop runs, and still ends with the port closed.
  StopSignals stop;
  ActivityOutput output(1);  // outlives the session, whose lines it prints
  const auto printLine = [&output](const QString& line) { output.print(line.toStdString()); };
  HistoryStore history(defaultHistoryPath());  // outlives the session, whose uploads it records
  LinkSession session(settings, saveFolder);
  QObject::connect(&session, &LinkSession::uploadEnded, [&](const UploadEnd& end) {
    if (const auto problem = recordUpload(history, end, settings.portNumber, settings.device.toStdString()))
      printLine(toQString(problem->text));
  });
  // A body acknowledged just before the stop is stored and answered first.
  QObject::connect(&stop, &StopSignals::stopRequested, &session, [&session] {
    session.finishArrived();
    QCoreApplication::quit();
  });
  QObject::connect(&session, &LinkSession::activityAdded, printLine);
  QObject::connect(&session, &LinkSession::brandMessageRequested, &session,
                   [&session, &printLine](QString text) {
                     printLine("Brand message (not shown): " + text.replace('\n', ' '));
                     session.brandMessageClosed();
                   });
  const SerialPort::OpenResult opened = session.open();
  if (opened != SerialPort::OpenResult::Opened) {
    std::cerr << "No usable port: " << settings.device.toStdString() << ": "
              << openProblem(opened, settings.device).toStdString() << ".\n";
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
