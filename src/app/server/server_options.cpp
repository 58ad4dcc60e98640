#include "app/server/server_options.h"

#include <charconv>
#include <iostream>

#include "app/core/about_box.h"

namespace lumora {

namespace {

constexpr std::string_view kLinkOptions =
    "  --device PATH   the tracer's serial device (default: the device of the Port setting)\n"
    "  --speed N       bits per second (default: the Speed setting)\n"
    "  --save-dir DIR  where traces are stored (default: the SavePath setting)\n";
constexpr std::string_view kExitCodes = "Exit codes: 0 stopped normally, 1 no usable port, 2 bad usage.\n";

}  // namespace

const std::string kServerUsage =
    "usage: lumora-trace-server                  the tray application (needs a desktop session)\n"
    "       lumora-trace-server --headless [--device PATH] [--speed N] [--save-dir DIR]\n"
    "       lumora-trace-server --probe-ports\n"
    "       lumora-trace-server --help | --version\n"
    "  --headless      run the tracer link without a window; activity lines go to stdout\n" +
    std::string(kLinkOptions) + "  --probe-ports   list the 16 ports as the setup dialog shows them\n" +
    std::string(kExitCodes);

const std::string kHeadlessUsage =
    "usage: lumora-trace-serverd [--device PATH] [--speed N] [--save-dir DIR]\n"
    "       lumora-trace-serverd --help | --version\n"
    "Runs the tracer link without a window, as lumora-trace-server --headless does; activity\n"
    "lines go to stdout.\n" +
    std::string(kLinkOptions) + std::string(kExitCodes);

Result<ServerOptions> parseServerOptions(const std::vector<std::string>& args) {
  ServerOptions o;
  bool headless = false;
  bool probe = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--help" || a == "-h" || a == "--version") {
      ServerOptions answer;
      answer.mode = a == "--version" ? ServerOptions::Mode::Version : ServerOptions::Mode::Help;
      return answer;
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

Result<ServerOptions> parseHeadlessOptions(std::vector<std::string> args) {
  for (const std::string& a : args)
    if (a == "--headless" || a == "--probe-ports") return Problem{"unknown argument " + a};
  args.insert(args.begin(), "--headless");
  return parseServerOptions(args);
}

std::optional<int> answerWithoutRunning(const Result<ServerOptions>& options, std::string_view program,
                                        std::string_view usage) {
  if (!options) {
    std::cerr << program << ": " << options.problem().text << "\n" << usage;
    return 2;
  }
  if (options->mode == ServerOptions::Mode::Help) std::cout << usage;
  if (options->mode == ServerOptions::Mode::Version) std::cout << versionText(program);
  if (options->mode == ServerOptions::Mode::Help || options->mode == ServerOptions::Mode::Version) return 0;
  return std::nullopt;
}

}  // namespace lumora
