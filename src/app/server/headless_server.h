// The tracer link without a window: settings from the per-user store unless the command
// line overrides them, activity lines to stdout, the wrong-brand message logged and the
// refusal sent at once, no operator prompt.
#pragma once

#include "app/server/server_options.h"

namespace lumora {

// Runs until SIGINT or SIGTERM (then 0). Returns 1 when no port can be used.
// Needs a Qt core application.
int runHeadless(const ServerOptions& options);

}  // namespace lumora
