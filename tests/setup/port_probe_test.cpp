#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "setup/core/port_probe.h"

namespace lumora {
namespace {

constexpr std::int64_t Second = 1'000'000;  // microseconds
constexpr std::int64_t ReplyLatency = 20'000;

// What a device on one port does: whether it opens at a speed, and what it sends back for
// the bytes written to it at that speed (nothing when it stays silent).
struct FakeDevice {
  std::int32_t fastestOpen = 1'000'000;
  std::function<std::string(std::int32_t speed, const std::string& written)> reply =
      [](std::int32_t, const std::string&) { return std::string{}; };
};

FakeDevice modemUpTo(std::int32_t fastestAnswer, std::string ok = "OK\r\n") {
  FakeDevice modem;
  modem.reply = [=](std::int32_t speed, const std::string& written) {
    if (written == "ATV1Q0\r") return written + "\r\n" + ok;  // echo, then the answer
    return speed <= fastestAnswer ? ok : std::string{};
  };
  return modem;
}

// Drives a probe with a fake clock over fake devices; ports with no device fail to open.
// Opening a second port, writing to or closing a port that is not open, or leaving one open
// fails the test.
struct ProbeBench {
  std::map<int, FakeDevice> devices;
  std::int64_t now = 0;
  std::map<int, std::vector<std::int32_t>> opens;  // speeds each port was opened at
  std::map<int, std::vector<std::string>> writes;
  std::map<int, std::int64_t> busyTime;  // microseconds each port took

  std::int32_t openSpeed = 0;
  int openPort = 0;
  std::string pendingReply;
  std::int64_t replyAt = 0;

  void apply(PortProbe& probe, const ProbeAction& action) {
    switch (action.What) {
      case ProbeAction::Kind::Open: {
        ASSERT_EQ(openPort, 0) << "opened a second port";
        opens[action.Port].push_back(action.Speed);
        auto device = devices.find(action.Port);
        if (device == devices.end()) {
          probe.openFailed(OpenFailure::NoSuchPort);
        } else if (action.Speed > device->second.fastestOpen) {
          probe.openFailed(OpenFailure::SpeedRefused);
        } else {
          openPort = action.Port;
          openSpeed = action.Speed;
          probe.opened(now);
        }
        break;
      }
      case ProbeAction::Kind::Write:
        ASSERT_EQ(openPort, action.Port) << "wrote to a closed port";
        writes[action.Port].push_back(action.Bytes);
        pendingReply = devices[action.Port].reply(openSpeed, action.Bytes);
        replyAt = now + ReplyLatency;
        break;
      case ProbeAction::Kind::Close:
        ASSERT_EQ(openPort, action.Port) << "closed a port that is not open";
        openPort = 0;
        pendingReply.clear();
        break;
    }
  }

  PortProbe run(std::int32_t configuredPort, std::int32_t configuredSpeed = 19200) {
    PortProbe probe(configuredPort, configuredSpeed);
    for (int guard = 0; guard < 10'000 && !probe.finished(); ++guard) {
      while (auto action = probe.nextAction()) apply(probe, *action);
      if (probe.finished()) break;
      const int port = openPort;
      const std::int64_t before = now;
      if (!pendingReply.empty() && probe.deadline() && replyAt < *probe.deadline()) {
        now = replyAt;
        probe.receive(std::exchange(pendingReply, {}), now);
      } else if (probe.deadline()) {
        now = *probe.deadline();
        probe.expire(now);
      } else {
        ADD_FAILURE() << "the probe waits for nothing";
        break;
      }
      busyTime[port] += now - before;
    }
    EXPECT_TRUE(probe.finished());
    EXPECT_EQ(openPort, 0) << "the probe left a port open";
    return probe;
  }
};

// Detection at 1200, then the speed search from the top down to the modem's fastest speed.
std::vector<std::int32_t> opensDownTo(std::int32_t lowest) {
  std::vector<std::int32_t> speeds{1200};
  for (auto speed = ProbeSpeedList.rbegin(); speed != ProbeSpeedList.rend() && *speed >= lowest; ++speed) {
    speeds.push_back(*speed);
  }
  return speeds;
}

FakeDevice answering(std::string reply) {
  FakeDevice device;
  device.reply = [=](std::int32_t, const std::string&) { return reply; };
  return device;
}

struct OnePortCase {
  const char* what;
  std::optional<FakeDevice> device;  // nothing: the port does not open
  std::string text;
  std::vector<std::int32_t> opens;
  std::size_t writes;
  std::int64_t minBusy, maxBusy;  // microseconds spent on the port
};

TEST(PortProbe, EachKindOfDeviceGetsItsEntryAfterTheRightOpensAndWaits) {
  FakeDevice refusing = modemUpTo(57600);
  refusing.fastestOpen = 115200;
  const std::int64_t oneWait = 3 * Second / 2 + 1;
  const OnePortCase cases[] = {
      {"silent", FakeDevice{}, "COM: 2  (Available)", {1200}, 1, Second / 2, oneWait},
      {"missing", std::nullopt, "COM: 2 (Not Available)", {1200}, 0, 0, 0},
      {"modem", modemUpTo(57600), "COM: 2  (Modem - 57600 Max Speed)", opensDownTo(57600), 5, 0,
       3 * oneWait + 2 * ReplyLatency},
      // speeds the driver refuses are skipped without a wait: one unanswered wait at 115200
      {"refusing", refusing, "COM: 2  (Modem - 57600 Max Speed)", opensDownTo(57600), 3, 0,
       oneWait + 3 * ReplyLatency},
      {"top speed", modemUpTo(256000), "COM: 2  (Modem - 256000 Max Speed)", opensDownTo(256000), 2, 0,
       2 * ReplyLatency},
      {"modem silent at every speed", modemUpTo(0), "COM: 2  (Modem - 110 Max Speed)", opensDownTo(110), 17,
       0, 17 * oneWait},
      {"lower-case ok", modemUpTo(57600, "ok\r\n"), "COM: 2  (Available)", {1200}, 1, Second / 2, oneWait},
      {"OK without CR LF", modemUpTo(57600, "OK"), "COM: 2  (Available)", {1200}, 1, Second / 2, oneWait},
      {"ERROR ends the wait at once", answering("ERROR\r\n"), "COM: 2  (Available)", {1200}, 1, 0,
       ReplyLatency}};
  for (const OnePortCase& c : cases) {
    SCOPED_TRACE(c.what);
    ProbeBench bench;
    if (c.device) bench.devices[2] = *c.device;
    const PortEntry entry = bench.run(0).entries()[1];
    EXPECT_EQ(entry.Text, c.text);
    EXPECT_EQ(bench.opens[2], c.opens);
    const std::vector<std::string> writes = bench.writes[2];
    ASSERT_EQ(writes.size(), c.writes);
    for (std::size_t i = 0; i < writes.size(); ++i) EXPECT_EQ(writes[i], i == 0 ? "ATV1Q0\r" : "AT\r");
    EXPECT_GE(bench.busyTime[2], c.minBusy);
    EXPECT_LE(bench.busyTime[2], c.maxBusy);
    if (!c.device) {
      EXPECT_EQ(entry.Failure, OpenFailure::NoSuchPort);
    }
  }
}

TEST(PortProbe, ConfiguredPortIsInUseNeverOpenedAndTheOnlyOneTicked) {
  for (const int configured : {1, 3, 16}) {
    SCOPED_TRACE(configured);
    ProbeBench bench;
    bench.devices[configured] = FakeDevice{};  // free, yet configured: still not opened
    const PortProbe probe = bench.run(configured, 9600);
    const auto at = static_cast<std::size_t>(configured - 1);
    EXPECT_EQ(probe.entries()[at].Text,
              "COM: " + std::to_string(configured) + "\t 9600 8,n,1 (Currently in Use)");
    EXPECT_EQ(probe.entries()[at].State, PortState::InUse);
    EXPECT_TRUE(bench.opens[configured].empty());
    for (std::size_t i = 0; i < probe.entries().size(); ++i) EXPECT_EQ(probe.entries()[i].Ticked, i == at);
  }
}

TEST(PortProbe, NothingConfiguredProbesAllSixteenAndTicksNone) {
  for (std::int32_t configured : {0, 17, -2}) {
    ProbeBench bench;
    const PortProbe probe = bench.run(configured);
    for (int port = 1; port <= 16; ++port) {
      const PortEntry& entry = probe.entries()[static_cast<std::size_t>(port - 1)];
      EXPECT_EQ(bench.opens[port].size(), 1u) << port;
      EXPECT_EQ(entry.Text, "COM: " + std::to_string(port) + " (Not Available)");
      EXPECT_FALSE(entry.Ticked) << port;
    }
    EXPECT_EQ(bench.now, 0) << "failed opens cost no wait";
  }
}

// Starts a probe of port 1 and opens it at 0.2 s, so the answer is awaited until 1.0 s.
PortProbe probeWaitingOnPortOne() {
  PortProbe probe(0, 19200);
  auto open = probe.nextAction();
  EXPECT_TRUE(open && open->What == ProbeAction::Kind::Open && open->Port == 1);
  probe.opened(200'000);
  auto write = probe.nextAction();
  EXPECT_TRUE(write && write->What == ProbeAction::Kind::Write && write->Bytes == "ATV1Q0\r");
  return probe;
}

// An answer counts until one tick before the deadline; at the deadline the wait is over.
TEST(PortProbe, WaitIsOverAtItsDeadlineNotOneTickBefore) {
  PortProbe probe = probeWaitingOnPortOne();
  ASSERT_EQ(probe.deadline(), Second + 1);  // the wait includes the whole second 1.0 s
  probe.expire(Second);
  EXPECT_FALSE(probe.nextAction().has_value());
  probe.receive("OK\r\n", Second);
  probe.nextAction();  // close
  EXPECT_EQ(probe.nextAction()->Speed, 256000);

  PortProbe late = probeWaitingOnPortOne();
  late.receive("OK\r\n", Second + 1);
  EXPECT_EQ(late.entries()[0].Text, "COM: 1  (Available)");
  EXPECT_EQ(late.nextAction()->What, ProbeAction::Kind::Close);
  EXPECT_EQ(late.nextAction()->Port, 2);
}

TEST(PortProbe, SpeedSearchWaitEndsAtItsDeadlineAndTriesTheNextLowerSpeed) {
  PortProbe probe = probeWaitingOnPortOne();
  probe.receive("OK\r\n", 300'000);
  EXPECT_EQ(probe.nextAction()->What, ProbeAction::Kind::Close);
  EXPECT_EQ(probe.nextAction()->Speed, 256000);
  probe.opened(2'600'000);  // 3.6 s rounds to 4 s
  EXPECT_EQ(probe.nextAction()->Bytes, "AT\r");
  ASSERT_EQ(probe.deadline(), 4 * Second + 1);
  probe.expire(4 * Second);  // one tick before
  EXPECT_FALSE(probe.nextAction().has_value());
  probe.expire(4 * Second + 1);
  EXPECT_EQ(probe.nextAction()->What, ProbeAction::Kind::Close);
  EXPECT_EQ(probe.nextAction()->Speed, 128000);
  EXPECT_EQ(probe.entries()[0].State, PortState::Unprobed);
}

TEST(PortProbe, ResultsThatWereNotAskedForAreIgnored) {
  PortProbe probe(0, 19200);
  probe.receive("OK\r\n", 0);  // nothing written yet
  probe.expire(10 * Second);   // nothing awaited
  EXPECT_EQ(probe.deadline(), std::nullopt);
  probe.opened(0);
  probe.opened(0);  // a second report changes nothing
  probe.openFailed(OpenFailure::Busy);
  EXPECT_EQ(probe.deadline(), ModemWaitLimit(0) + 1);
  EXPECT_EQ(probe.entries()[0].State, PortState::Unprobed);
}

}  // namespace
}  // namespace lumora
