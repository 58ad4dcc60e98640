// The server's command line and the choice of a writable folder for its own files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/server/server_options.h"
#include "app/server/writable_folder.h"

namespace lumora {
namespace {

std::optional<ServerOptions> parse(const std::vector<std::string>& args, std::string& error) {
  error.clear();
  return ParseServerOptions(args, error);
}

TEST(ServerOptions, HeadlessTakesDeviceSpeedAndSaveFolder) {
  std::string error;
  const auto o = parse(
      {"--headless", "--device", "/dev/ttyUSB1", "--speed", "9600", "--save-dir", "/srv/t"}, error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->mode, ServerOptions::Mode::Headless);
  EXPECT_EQ(o->device, "/dev/ttyUSB1");
  EXPECT_EQ(o->speed, 9600);
  EXPECT_EQ(o->saveDir, "/srv/t");
}

TEST(ServerOptions, NoArgumentsMeansTheTrayAndProbePortsStandsAlone) {
  std::string error;
  EXPECT_EQ(parse({}, error)->mode, ServerOptions::Mode::Tray);
  EXPECT_EQ(parse({"--probe-ports"}, error)->mode, ServerOptions::Mode::ProbePorts);
  EXPECT_FALSE(parse({"--probe-ports", "--headless"}, error));
}

TEST(ServerOptions, BadValuesAndLinkFlagsWithoutHeadlessAreRefused) {
  std::string error;
  EXPECT_FALSE(parse({"--headless", "--speed", "0"}, error));
  EXPECT_FALSE(parse({"--headless", "--speed", "96x"}, error));
  EXPECT_FALSE(parse({"--headless", "--device"}, error));
  EXPECT_NE(error.find("--device needs a value"), std::string::npos);
  EXPECT_FALSE(parse({"--device", "/dev/ttyS0"}, error));
  EXPECT_FALSE(parse({"--headless", "--verbose"}, error));
  EXPECT_NE(error.find("unknown argument --verbose"), std::string::npos);
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
  const QString user = dir.filePath("user/data");
  EXPECT_EQ(WritableFolder(unusable, user), user);
  EXPECT_TRUE(QDir(user).exists());
  EXPECT_TRUE(WritableFolder(unusable, dir.filePath("plain-file/user")).isEmpty());
}

TEST(WritableFolder, LogIsNamedAfterTheWindowCaption) {
  EXPECT_TRUE(ApplicationLogName().startsWith("Corvane Lumora Trace Server v"));
  EXPECT_TRUE(ApplicationLogName().endsWith(".Log"));
}

}  // namespace
}  // namespace lumora
