#include "setup/qt/probe_ports_command.h"

#include <QEventLoop>

#include "base/qt/settings_store.h"
#include "setup/qt/probe_runner.h"

namespace lumora {

int runProbePorts(std::ostream& out) {
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
  for (const PortEntry& entry : result) out << entry.text << '\n';
  out.flush();
  return 0;
}

}  // namespace lumora
