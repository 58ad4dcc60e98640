#include "setup/qt/probe_runner.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <QTemporaryDir>
#include <map>
#include <optional>
#include <string>

#include "fake_modem.h"
#include "pty_pair.h"
#include "qt_wait.h"

namespace lumora {
namespace {

using testing::FakeModem;
using testing::PtyPair;
using testing::WaitFor;

// Port number to device path; ports not named get a path that does not exist.
struct Devices {
  QTemporaryDir dir;
  std::map<int, std::string> paths;

  SettingLookup lookup() const {
    return [this](std::string_view key) -> std::optional<std::string> {
      for (const auto& [port, path] : paths) {
        if (key == DeviceSettingKey(port)) return path;
      }
      return dir.path().toStdString() + "/missing-" + std::string{key};
    };
  }
};

struct ProbeRun {
  explicit ProbeRun(const Devices& devices) : runner(devices.lookup()) {
    QObject::connect(&runner, &ProbeRunner::finished,
                     [this](const PortList& entries) { result = entries; });
  }
  ProbeRunner runner;
  std::optional<PortList> result;
};

bool heardAnything(const PtyPair& pty) {
  pollfd watch{pty.master(), POLLIN, 0};
  return poll(&watch, 1, 0) > 0;
}

TEST(ProbeRunner, ListsEveryKindOfPortOverPseudoTerminals) {
  PtyPair silent;
  FakeModem modem({1200, 9600, 19200, 57600});
  PtyPair configured;
  PtyPair held;
  SerialPort holder;
  ASSERT_EQ(holder.open(QString::fromStdString(held.slavePath()), 9600),
            SerialPort::OpenResult::Opened);
  Devices devices;
  devices.paths = {{1, silent.slavePath()},
                   {2, modem.devicePath()},
                   {3, configured.slavePath()},
                   {4, held.slavePath()}};
  ProbeRun run(devices);
  run.runner.start(3, 19200);
  ASSERT_TRUE(WaitFor([&] { return run.result.has_value(); }, 30000));
  EXPECT_FALSE(run.runner.running());
  const PortList& list = *run.result;
  EXPECT_EQ(list[0].Text, "COM: 1  (Available)");
  EXPECT_EQ(list[1].Text, "COM: 2  (Modem - 57600 Max Speed)");
  EXPECT_EQ(list[2].Text, "COM: 3\t 19200 8,n,1 (Currently in Use)");
  EXPECT_TRUE(list[2].Ticked);
  EXPECT_EQ(list[3].Text, "COM: 4 (Not Available)");
  EXPECT_EQ(list[3].Failure, OpenFailure::Busy);
  for (std::size_t i = 4; i < list.size(); ++i) {
    EXPECT_EQ(list[i].Text, "COM: " + std::to_string(i + 1) + " (Not Available)");
    EXPECT_EQ(list[i].Failure, OpenFailure::NoSuchPort);
  }
  EXPECT_TRUE(heardAnything(silent));
  EXPECT_FALSE(heardAnything(configured)) << "the configured port must never be touched";
  // The modem heard the detection at 1200, then "AT" from the top down to its fastest speed.
  const std::vector<std::string> expected = {"ATV1Q0@1200", "AT@256000", "AT@128000", "AT@115200",
                                             "AT@57600"};
  EXPECT_EQ(modem.commands(), expected);
}

TEST(ProbeRunner, StopAbandonsTheProbeAndFreesThePort) {
  PtyPair silent;
  Devices devices;
  devices.paths = {{1, silent.slavePath()}};
  ProbeRun run(devices);
  run.runner.start(0, 19200);
  ASSERT_TRUE(run.runner.running());
  run.runner.stop();
  EXPECT_FALSE(run.runner.running());
  SerialPort other;
  EXPECT_EQ(other.open(QString::fromStdString(silent.slavePath()), 1200),
            SerialPort::OpenResult::Opened);
  WaitFor([] { return false; }, 1600);
  EXPECT_FALSE(run.result.has_value());
}

}  // namespace
}  // namespace lumora
