// lumora-trace-serverd: the tracer link without a window, for a machine or a service without a
// display stack. The same link as lumora-trace-server --headless, on Qt Core and Qt Serial Port.
#include <QCoreApplication>

#include "app/core/starting_console.h"
#include "app/server/headless_server.h"
#include "app/server/server_options.h"
#include "base/core/app_identity.h"
#include "base/core/platform_values.h"

int main(int argc, char** argv) {
  lumora::useStartingConsole();
  const auto options = lumora::parseHeadlessOptions(lumora::programArguments(argc, argv));
  if (const auto answered = lumora::answerWithoutRunning(options, "lumora-trace-serverd", lumora::kHeadlessUsage))
    return *answered;
  QCoreApplication::setApplicationName(QString::fromUtf8(lumora::kApplicationTitle.data()));
  QCoreApplication app(argc, argv);
  return lumora::runHeadless(*options);
}
