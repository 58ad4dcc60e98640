// The server's command line and the choice of a writable folder for its own files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/server/server_options.h"
#include "app/server/writable_folder.h"

namespace lumora {
namespace {

using Mode = ServerOptions::Mode;

TEST(ServerOptions, HeadlessTakesDeviceSpeedAndSaveFolder) {
  std::string error;
  const auto o = ParseServerOptions(
      {"--headless", "--device", "/dev/ttyUSB1", "--speed", "9600", "--save-dir", "/srv/t"}, error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(std::tie(o->mode, o->device, o->speed, o->saveDir),
            std::make_tuple(Mode::Headless, "/dev/ttyUSB1", 9600, "/srv/t"));
}

// The mode, or nothing and a reason for a refused command line.
TEST(ServerOptions, ModesAndRefusals) {
  const std::pair<std::vector<std::string>, std::optional<Mode>> cases[] = {
      {{}, Mode::Tray},
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

// The program folder when it can write there, else the per-user folder (created), else none.
TEST(WritableFolder, PrefersTheProgramFolderThenThePerUserFolder) {
  QTemporaryDir dir;
  EXPECT_EQ(WritableFolder(dir.path(), dir.filePath("user")), dir.path());
  // A folder below a plain file can never be created, whoever runs the test.
  QFile file(dir.filePath("plain-file"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  const QString unusable = dir.filePath("plain-file/program");
  EXPECT_EQ(WritableFolder(unusable, dir.filePath("user/data")), dir.filePath("user/data"));
  EXPECT_TRUE(QDir(dir.filePath("user/data")).exists());
  EXPECT_TRUE(WritableFolder(unusable, dir.filePath("plain-file/user")).isEmpty());
}

}  // namespace
}  // namespace lumora
