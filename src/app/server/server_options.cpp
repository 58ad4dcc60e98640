#include "app/server/server_options.h"

#include <charconv>

namespace lumora {

const char* const kServerUsage =
    "usage: lumora-trace-server                  the tray application (needs a desktop session)\n"
    "       lumora-trace-server --headless [--device PATH] [--speed N] [--save-dir DIR]\n"
    "       lumora-trace-server --probe-ports\n"
    "       lumora-trace-server --help\n"
    "  --headless      run the tracer link without a window; activity lines go to stdout\n"
    "  --device PATH   the tracer's serial device (default: the device of the Port setting)\n"
    "  --speed N       bits per second (default: the Speed setting)\n"
    "  --save-dir DIR  where traces are stored (default: the SavePath setting)\n"
    "  --probe-ports   list the 16 ports as the setup dialog shows them\n"
    "Exit codes: 0 stopped normally, 1 no usable port, 2 bad usage.\n";

Result<ServerOptions> parseServerOptions(const std::vector<std::string>& args) {
  ServerOptions o;
  bool headless = false;
  bool probe = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--help" || a == "-h") {
      ServerOptions help;
      help.mode = ServerOptions::Mode::Help;
      return help;
    }
    if (a == "--headless") {
      headless = true;
    } else if (a == "--probe-ports") {
      probe = true;
    } else if ((a == "--device" || a == "--save-dir") && hasValue && !args[i + 1].empty()) {
      (a == "--device" ? o.device : o.saveDir) = args[++i];
    } else if (a == "--speed" && hasValue) {
      const std::string& v = args[++i];
      const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), o.speed);
      if (ec != std::errc() || end != v.data() + v.size() || o.speed <= 0)
        return Problem{"--speed needs a positive whole number of bits per second"};
    } else {
      return Problem{(a == "--device" || a == "--save-dir" || a == "--speed") ? a + " needs a value"
                                                                              : "unknown argument " + a};
    }
  }
  if (headless && probe) return Problem{"--headless and --probe-ports do not go together"};
  const bool linkFlags = !o.device.empty() || o.speed != 0 || !o.saveDir.empty();
  if (linkFlags && !headless) return Problem{"--device, --speed and --save-dir apply to --headless"};
  o.mode = headless ? ServerOptions::Mode::Headless
           : probe  ? ServerOptions::Mode::ProbePorts
                    : ServerOptions::Mode::Tray;
  return o;
}

}  // namespace lumora
