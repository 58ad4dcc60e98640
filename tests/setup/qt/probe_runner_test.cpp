#include "setup/qt/probe_runner.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "base/qt/settings_store.h"
#include "fake_modem.h"
#include "pty_pair.h"
#include "qt_wait.h"
#include "setup/qt/probe_ports_command.h"
#include "temp_settings.h"

namespace lumora {
namespace {

using testing::PtyPair;

// Ports 1 to 4 on the given devices; the others on paths that do not exist.
struct ProbeRun {
  explicit ProbeRun(std::map<int, std::string> paths)
      : runner([this, paths = std::move(paths)](std::string_view key) -> std::optional<std::string> {
          for (const auto& [port, path] : paths) {
            if (key == deviceSettingKey(port)) return path;
          }
          return dir.path().toStdString() + "/missing-" + std::string{key};
        }) {
    QObject::connect(&runner, &ProbeRunner::finished, [this](const PortList& entries) { result = entries; });
  }
  QTemporaryDir dir;
  ProbeRunner runner;
  std::optional<PortList> result;
};

bool heardAnything(const PtyPair& pty) {
  pollfd watch{pty.master(), POLLIN, 0};
  return poll(&watch, 1, 0) > 0;
}

// Port 5 is the configured port's device under another name (as /dev/serial/by-id names it).
TEST(ProbeRunner, ListsEveryKindOfPortOverPseudoTerminals) {
  PtyPair silent, configured, held;
  testing::FakeModem modem({1200, 9600, 19200, 57600});
  SerialPort holder;
  ASSERT_EQ(holder.open(QString::fromStdString(held.slavePath()), 9600), SerialPort::OpenResult::Opened);
  QTemporaryDir links;
  const std::string alias = links.path().toStdString() + "/usb-tracer";
  ASSERT_TRUE(QFile::link(QString::fromStdString(configured.slavePath()), QString::fromStdString(alias)));
  ProbeRun run({{1, silent.slavePath()}, {2, modem.devicePath()}, {3, configured.slavePath()}, {4, held.slavePath()},
                {5, alias}});
  run.runner.start(3, 19200);
  ASSERT_TRUE(testing::WaitFor([&] { return run.result.has_value(); }, 30000));
  std::vector<std::string> texts;
  for (const PortEntry& entry : *run.result) texts.push_back(entry.text);
  std::vector<std::string> expected{"COM: 1  (Available)", "COM: 2  (Modem - 57600 Max Speed)",
                                    "COM: 3\t 19200 8,n,1 (Currently in Use)"};
  for (int port = 4; port <= 16; ++port) expected.push_back("COM: " + std::to_string(port) + " (Not Available)");
  EXPECT_EQ(texts, expected);
  EXPECT_TRUE((*run.result)[2].ticked);
  EXPECT_EQ((*run.result)[3].failure, OpenFailure::Busy);
  EXPECT_EQ((*run.result)[4].failure, OpenFailure::Busy);
  EXPECT_EQ((*run.result)[5].failure, OpenFailure::NoSuchPort);
  EXPECT_TRUE(heardAnything(silent));
  EXPECT_FALSE(heardAnything(configured)) << "the configured port must never be touched";
  // The modem heard the detection at 1200, then "AT" from the top down to its fastest speed.
  EXPECT_EQ(modem.commands(), (std::vector<std::string>{"ATV1Q0@1200", "AT@256000", "AT@128000", "AT@115200",
                                                        "AT@57600"}));
}

// Closing the setup dialog mid-probe stops it: the port is free at once and no list comes.
TEST(ProbeRunner, StopAbandonsTheProbeAndFreesThePort) {
  PtyPair silent;
  ProbeRun run({{1, silent.slavePath()}});
  run.runner.start(0, 19200);
  ASSERT_TRUE(run.runner.running());
  run.runner.stop();
  EXPECT_FALSE(run.runner.running());
  SerialPort other;
  EXPECT_EQ(other.open(QString::fromStdString(silent.slavePath()), 1200), SerialPort::OpenResult::Opened);
  testing::WaitFor([] { return false; }, 1600);
  EXPECT_FALSE(run.result.has_value());
}

// The command reads the port, the speed and the devices from the settings.
TEST(RunProbePorts, PrintsTheSixteenEntriesAsTheDialogShowsThem) {
  testing::TempSettings temp;
  QTemporaryDir devices;
  PtyPair free;
  SettingsStore store;
  for (int port = 1; port <= 16; ++port) {
    store.writeKey(deviceSettingKey(port), devices.path().toStdString() + "/tty" + std::to_string(port));
  }
  store.writeKey(deviceSettingKey(4), free.slavePath());
  store.write(Setting::Port, 2);
  store.write(Setting::Speed, 9600);

  std::ostringstream out;
  EXPECT_EQ(runProbePorts(out), 0);
  std::string expected = "COM: 1 (Not Available)\nCOM: 2\t 9600 8,n,1 (Currently in Use)\nCOM: 3 (Not Available)\n"
                         "COM: 4  (Available)\n";
  for (int port = 5; port <= 16; ++port) expected += "COM: " + std::to_string(port) + " (Not Available)\n";
  EXPECT_EQ(out.str(), expected);
}

}  // namespace
}  // namespace lumora
