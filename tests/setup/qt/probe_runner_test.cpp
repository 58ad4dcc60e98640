#include "setup/qt/probe_runner.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <map>
#include <optional>
#include <string>

#include "fake_modem.h"
#include "open_watch.h"
#include "pty_pair.h"
#include "qt_wait.h"

namespace lumora {
namespace {

using testing::FakeModem;
using testing::OpenWatch;
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

std::optional<PortList> runProbe(const Devices& devices, std::int32_t port, std::int32_t speed,
                                 int limitMs = 30000) {
  ProbeRunner runner(devices.lookup());
  std::optional<PortList> result;
  QObject::connect(&runner, &ProbeRunner::finished,
                   [&](const PortList& entries) { result = entries; });
  runner.start(port, speed);
  WaitFor([&] { return result.has_value(); }, limitMs);
  EXPECT_FALSE(runner.running());
  return result;
}

TEST(ProbeRunner, Probe_ListsEveryKindOfPortOverPseudoTerminals) {
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
  OpenWatch configuredOpens(configured.slavePath());
  OpenWatch silentOpens(silent.slavePath());

  const std::optional<PortList> entries = runProbe(devices, 3, 19200);
  ASSERT_TRUE(entries.has_value());
  const PortList& list = *entries;
  EXPECT_EQ(list[0].Text, "COM: 1  (Available)");
  EXPECT_EQ(list[1].Text, "COM: 2  (Modem - 57600 Max Speed)");
  EXPECT_EQ(list[2].Text, "COM: 3\t 19200 8,n,1 (Currently in Use)");
  EXPECT_TRUE(list[2].Ticked);
  EXPECT_EQ(list[3].Text, "COM: 4 (Not Available)");
  EXPECT_EQ(list[3].Failure, OpenFailure::Busy);
  for (std::size_t i = 4; i < list.size(); ++i) {
    EXPECT_EQ(list[i].Text, "COM: " + std::to_string(i + 1) + " (Not Available)");
    EXPECT_EQ(list[i].Failure, OpenFailure::NoSuchPort);
    EXPECT_FALSE(list[i].Ticked);
  }
  EXPECT_EQ(configuredOpens.opens(), 0) << "the configured port must never be opened";
  EXPECT_GT(silentOpens.opens(), 0);
  // The modem heard the detection at 1200, then "AT" from the top down to its fastest speed.
  const std::vector<std::string> heard = modem.commands();
  const std::vector<std::string> expected = {"ATV1Q0@1200", "AT@256000", "AT@128000", "AT@115200",
                                             "AT@57600"};
  EXPECT_EQ(heard, expected);
}

TEST(ProbeRunner, Probe_AModemWhoseAnswerLacksCrLfIsOnlyAPort) {
  FakeModem modem({1200}, "OK");
  FakeModem lowerCase({1200}, "ok\r\n");
  Devices devices;
  devices.paths = {{5, modem.devicePath()}, {6, lowerCase.devicePath()}};
  const std::optional<PortList> entries = runProbe(devices, 0, 19200);
  ASSERT_TRUE(entries.has_value());
  EXPECT_EQ((*entries)[4].Text, "COM: 5  (Available)");
  EXPECT_EQ((*entries)[5].Text, "COM: 6  (Available)");
  for (const PortEntry& entry : *entries) EXPECT_FALSE(entry.Ticked);
}

TEST(ProbeRunner, Probe_OfPortsThatCannotOpenIsOverBeforeStartReturns) {
  Devices devices;
  ProbeRunner runner(devices.lookup());
  std::optional<PortList> result;
  QObject::connect(&runner, &ProbeRunner::finished,
                   [&](const PortList& entries) { result = entries; });
  runner.start(20, 19200);  // no such port: nothing is ticked
  EXPECT_FALSE(runner.running());
  ASSERT_TRUE(result.has_value());
  for (const PortEntry& entry : *result) {
    EXPECT_EQ(entry.State, PortState::NotAvailable);
    EXPECT_FALSE(entry.Ticked);
  }
}

TEST(ProbeRunner, Stop_AbandonsTheProbeAndFreesThePort) {
  PtyPair silent;
  Devices devices;
  devices.paths = {{1, silent.slavePath()}};
  ProbeRunner runner(devices.lookup());
  bool finished = false;
  QObject::connect(&runner, &ProbeRunner::finished, [&](const PortList&) { finished = true; });
  runner.start(0, 19200);
  ASSERT_TRUE(runner.running());
  runner.stop();
  EXPECT_FALSE(runner.running());
  SerialPort other;
  EXPECT_EQ(other.open(QString::fromStdString(silent.slavePath()), 1200),
            SerialPort::OpenResult::Opened);
  WaitFor([] { return false; }, 1600);
  EXPECT_FALSE(finished);
}

}  // namespace
}  // namespace lumora
