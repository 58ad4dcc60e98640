// Port discovery without a window, for technicians finding the tracer's port on a headless
// machine.
#pragma once

#include <ostream>

namespace lumora {

// Probes the 16 ports as the setup dialog does, with the port and speed from the settings,
// and prints each entry's text as the dialog shows it after the probe, one per line.
// Needs no window; creates the Qt core application when there is none. Returns 0.
int RunProbePorts(std::ostream& out);

}  // namespace lumora
