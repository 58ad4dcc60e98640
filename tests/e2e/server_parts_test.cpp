// The server's command line.
#include <gtest/gtest.h>

#include "app/server/server_options.h"

namespace lumora {
namespace {

using Mode = ServerOptions::Mode;

// The mode, or nothing and a reason for a refused command line.
TEST(ServerOptions, ModesAndRefusals) {
  const std::pair<std::vector<std::string>, std::optional<Mode>> cases[] = {
      {{}, Mode::Tray},
      {{"--headless", "--device", "/dev/ttyUSB1", "--speed", "9600", "--save-dir", "/t"},
       Mode::Headless},
      {{"--probe-ports"}, Mode::ProbePorts},
      {{"--probe-ports", "--headless"}, std::nullopt},
      {{"--headless", "--speed", "0"}, std::nullopt},
      {{"--headless", "--speed", "96x"}, std::nullopt},
      {{"--headless", "--device"}, std::nullopt},
      {{"--device", "/dev/ttyS0"}, std::nullopt},  // a link flag needs --headless
      {{"--headless", "--verbose"}, std::nullopt},
  };
  for (const auto& [args, mode] : cases) {
    std::string error;
    const auto o = ParseServerOptions(args, error);
    EXPECT_EQ(o ? std::optional(o->mode) : std::nullopt, mode) << ::testing::PrintToString(args);
    EXPECT_EQ(error.empty(), mode.has_value()) << error;
  }
}

}  // namespace
}  // namespace lumora
