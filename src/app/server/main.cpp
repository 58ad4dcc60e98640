// lumora-trace-server: the trace server. Without arguments the tray application; with
// --headless the link alone, logging to standard output; with --probe-ports the port list.
#include <QApplication>
#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

#include "base/core/app_identity.h"
#include "base/core/file_system.h"
#include "app/core/starting_console.h"
#include "app/desktop/desktop_app.h"
#include "app/server/desktop_session.h"
#include "app/server/headless_server.h"
#include "app/server/server_options.h"
#include "app/server/writable_folder.h"
#include "setup/qt/probe_ports_command.h"
#include "base/core/platform_values.h"

int main(int argc, char** argv) {
  // A trace too large for the file-size limit is a failed store, answered as one.
  lumora::platform::letOversizedWritesFail();
  const auto options = lumora::parseServerOptions(lumora::programArguments(argc, argv));
  if (!options || options->mode != lumora::ServerOptions::Mode::Tray) lumora::useStartingConsole();
  if (const auto answered = lumora::answerWithoutRunning(options, "lumora-trace-server", lumora::kServerUsage))
    return *answered;
  QCoreApplication::setApplicationName(QString::fromUtf8(lumora::kApplicationTitle.data()));
  if (options->mode == lumora::ServerOptions::Mode::Tray) {
    if (!lumora::DesktopSessionAvailable()) {
      std::cerr << "lumora-trace-server: no desktop session to show the tray application in;"
                   " use --headless to run the link without one.\n";
      return 1;
    }
    QApplication app(argc, argv);
    return lumora::runDesktop(app, [] { lumora::startApplicationLog(); });
  }
  // The command-line modes keep their messages on stderr: the log file belongs to the tray
  // copy, which may be running.
  QCoreApplication app(argc, argv);
  if (options->mode == lumora::ServerOptions::Mode::ProbePorts)
    return lumora::runProbePorts(std::cout);
  return lumora::runHeadless(*options);
}
