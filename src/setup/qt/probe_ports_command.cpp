#include "setup/qt/probe_ports_command.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <memory>

#include "setup/qt/probe_runner.h"
#include "base/qt/settings_store.h"

namespace lumora {
namespace {

// Qt needs an application object for its event loop; a caller that has one keeps it.
std::unique_ptr<QCoreApplication> ensureApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  static int argc = 1;
  static char name[] = "lumora-trace-server";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

int RunProbePorts(std::ostream& out) {
  const std::unique_ptr<QCoreApplication> application = ensureApplication();
  const SettingsStore settings;
  ProbeRunner runner(settings.lookup());
  QEventLoop loop;
  PortList result;
  QObject::connect(&runner, &ProbeRunner::finished, &loop, [&](const PortList& entries) {
    result = entries;
    loop.quit();
  });
  runner.start(settings.readWhole(Setting::Port), settings.readWhole(Setting::Speed));
  if (runner.running()) loop.exec();
  for (const PortEntry& entry : result) out << entry.Text << '\n';
  out.flush();
  return 0;
}

}  // namespace lumora
