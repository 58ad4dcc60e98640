// The port probe over real pseudo-terminals: its modem commands, answers and waits.
#include "setup/qt/probe_runner.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <QFile>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>
#include <set>
#include <sstream>

#include "base/qt/settings_store.h"
#include "pty_pair.h"
#include "setup/qt/probe_ports_command.h"
#include "temp_settings.h"

namespace lumora {
namespace {

using testing::PtyPair;

// A modem on the master side of a pseudo-terminal, played from the event loop: after each CR
// it notes the command with the speed it came at ("AT@57600") and, when the port is set to a
// speed it supports, echoes it and answers "OK"; at other speeds it stays silent.
class FakeModem {
 public:
  explicit FakeModem(std::set<int> speeds) : speeds_(std::move(speeds)) {
    QObject::connect(&notifier_, &QSocketNotifier::activated, [this] {
      char buffer[256];
      const ssize_t got = ::read(pty.master(), buffer, sizeof buffer);
      pending_.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
      for (std::size_t cr; (cr = pending_.find('\r')) != std::string::npos; pending_.erase(0, cr + 1)) {
        const std::string reply = pending_.substr(0, cr) + "\r\r\nOK\r\n";
        commands.push_back(pending_.substr(0, cr) + "@" + std::to_string(pty.speed()));
        if (speeds_.count(pty.speed()) != 0) {
          EXPECT_GT(::write(pty.master(), reply.data(), reply.size()), 0);
        }
      }
    });
  }
  PtyPair pty;
  std::vector<std::string> commands;

 private:
  std::set<int> speeds_;
  QSocketNotifier notifier_{pty.master(), QSocketNotifier::Read};
  std::string pending_;
};

// Every port on a device in a temporary folder that does not exist, unless a test names one.
class ProbeTest : public ::testing::Test {
 protected:
  ProbeTest() {
    for (int port = 1; port <= 16; ++port) setDevice(port, folder.path().toStdString() + "/missing");
  }
  void setDevice(int port, const std::string& path) { store.writeKey(deviceSettingKey(port), path); }

  testing::TempSettings settings;
  QTemporaryDir folder;
  SettingsStore store;
};

bool heardAnything(const PtyPair& pty) {
  pollfd watch{pty.master(), POLLIN, 0};
  return poll(&watch, 1, 0) > 0;
}

// Port 5 is the configured port's device under another name (as /dev/serial/by-id names it);
// port 4 is held by another program.
TEST_F(ProbeTest, ListsEveryKindOfPortAsTheDialogShowsIt) {
  PtyPair silent, configured, held;
  FakeModem modem({1200, 9600, 19200, 57600});
  SerialPort holder;
  ASSERT_EQ(holder.open(QString::fromStdString(held.slavePath()), 9600), SerialPort::OpenResult::Opened);
  const QString alias = folder.path() + "/usb-tracer";
  ASSERT_TRUE(QFile::link(QString::fromStdString(configured.slavePath()), alias));
  setDevice(1, silent.slavePath());
  setDevice(2, modem.pty.slavePath());
  setDevice(3, configured.slavePath());
  setDevice(4, held.slavePath());
  setDevice(5, alias.toStdString());
  store.write(Setting::Port, 3);
  store.write(Setting::Speed, 9600);

  std::ostringstream out;
  EXPECT_EQ(runProbePorts(out), 0);
  std::string expected = "COM: 1  (Available)\nCOM: 2  (Modem - 57600 Max Speed)\nCOM: 3\t 9600 8,n,1 (Currently in Use)\n";
  for (int port = 4; port <= 16; ++port) expected += "COM: " + std::to_string(port) + " (Not Available)\n";
  EXPECT_EQ(out.str(), expected);
  EXPECT_TRUE(heardAnything(silent));
  EXPECT_FALSE(heardAnything(configured)) << "the configured port must never be touched";
  // The modem heard the detection at 1200, then "AT" from the top down to its fastest speed.
  EXPECT_EQ(modem.commands, (std::vector<std::string>{"ATV1Q0@1200", "AT@256000", "AT@128000", "AT@115200", "AT@57600"}));
}

// Closing the setup dialog mid-probe stops it: the port is free at once and no list comes.
TEST_F(ProbeTest, StopAbandonsTheProbeAndFreesThePort) {
  PtyPair silent;
  setDevice(1, silent.slavePath());
  ProbeRunner runner(store.lookup());
  bool finished = false;
  QObject::connect(&runner, &ProbeRunner::finished, [&] { finished = true; });
  runner.start(0, 19200);
  ASSERT_TRUE(runner.running());
  runner.stop();
  EXPECT_FALSE(runner.running());
  SerialPort other;
  EXPECT_EQ(other.open(QString::fromStdString(silent.slavePath()), 1200), SerialPort::OpenResult::Opened);
  QTest::qWait(1600);
  EXPECT_FALSE(finished);
}

}  // namespace
}  // namespace lumora
