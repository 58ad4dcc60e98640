// Port discovery without a window, for technicians finding the tracer's port on a headless
// machine.
#pragma once

#include <ostream>

namespace lumora {

// Probes the 16 ports as the setup dialog does, with the port and speed from the settings,
// and prints each entry's text as the dialog shows it after the probe, one per line.
// Needs a Qt core application (for its event loop) but no window. Returns 0.
int runProbePorts(std::ostream& out);

}  // namespace lumora
