#include <gtest/gtest.h>

#include <functional>
#include <map>
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
struct ProbeBench {
  std::map<int, FakeDevice> devices;
  std::int64_t now = 0;
  std::vector<ProbeAction> log;
  std::map<int, std::int64_t> busyTime;  // microseconds each port took

  std::int32_t openSpeed = 0;
  int openPort = 0;
  std::string pendingReply;
  std::int64_t replyAt = 0;

  void apply(PortProbe& probe, const ProbeAction& action) {
    log.push_back(action);
    switch (action.What) {
      case ProbeAction::Kind::Open: {
        auto device = devices.find(action.Port);
        ASSERT_EQ(openPort, 0) << "opened a second port";
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
      while (auto action = probe.nextAction()) {
        const std::int64_t before = now;
        apply(probe, *action);
        busyTime[action->Port] += now - before;
      }
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

  std::vector<std::int32_t> openSpeedsOf(int port) const {
    std::vector<std::int32_t> speeds;
    for (const ProbeAction& action : log) {
      if (action.What == ProbeAction::Kind::Open && action.Port == port) {
        speeds.push_back(action.Speed);
      }
    }
    return speeds;
  }

  std::vector<std::string> writesTo(int port) const {
    std::vector<std::string> writes;
    for (const ProbeAction& action : log) {
      if (action.What == ProbeAction::Kind::Write && action.Port == port) {
        writes.push_back(action.Bytes);
      }
    }
    return writes;
  }
};

TEST(PortProbe, SilentPortIsAvailableAfterOneWaitAtTwelveHundred) {
  ProbeBench bench;
  bench.devices[1] = FakeDevice{};
  const PortProbe probe = bench.run(0);
  EXPECT_EQ(probe.entries()[0].Text, "COM: 1  (Available)");
  EXPECT_EQ(probe.entries()[0].State, PortState::Available);
  EXPECT_EQ(bench.openSpeedsOf(1), std::vector<std::int32_t>{1200});
  EXPECT_EQ(bench.writesTo(1), std::vector<std::string>{"ATV1Q0\r"});
  EXPECT_GE(bench.busyTime[1], Second / 2);
  EXPECT_LE(bench.busyTime[1], 3 * Second / 2 + 1);
}

TEST(PortProbe, PortThatFailsToOpenIsNotAvailableAndNeverWritten) {
  ProbeBench bench;
  const PortProbe probe = bench.run(0);
  EXPECT_EQ(probe.entries()[4].Text, "COM: 5 (Not Available)");
  EXPECT_EQ(probe.entries()[4].State, PortState::NotAvailable);
  EXPECT_EQ(probe.entries()[4].Failure, OpenFailure::NoSuchPort);
  EXPECT_TRUE(bench.writesTo(5).empty());
  EXPECT_EQ(bench.now, 0) << "failed opens cost no wait";
}

TEST(PortProbe, NothingConfiguredProbesAllSixteenAndTicksNone) {
  for (std::int32_t configured : {0, 17, -2}) {
    ProbeBench bench;
    const PortProbe probe = bench.run(configured);
    for (int port = 1; port <= 16; ++port) {
      EXPECT_EQ(bench.openSpeedsOf(port).size(), 1u) << port;
      EXPECT_FALSE(probe.entries()[static_cast<std::size_t>(port - 1)].Ticked) << port;
    }
  }
}

TEST(PortProbe, ConfiguredPortIsInUseNeverOpenedAndTickedAtTheEnd) {
  ProbeBench bench;
  bench.devices[3] = FakeDevice{};  // free, yet configured: still not opened
  bench.devices[4] = FakeDevice{};
  const PortProbe probe = bench.run(3, 19200);
  EXPECT_EQ(probe.entries()[2].Text, "COM: 3\t 19200 8,n,1 (Currently in Use)");
  EXPECT_EQ(probe.entries()[2].State, PortState::InUse);
  EXPECT_TRUE(bench.openSpeedsOf(3).empty());
  EXPECT_TRUE(probe.entries()[2].Ticked);
  EXPECT_EQ(probe.entries()[3].Text, "COM: 4  (Available)");
  int ticked = 0;
  for (const PortEntry& entry : probe.entries()) ticked += entry.Ticked ? 1 : 0;
  EXPECT_EQ(ticked, 1);
}

TEST(PortProbe, ConfiguredFirstAndLastPortsAreSkipped) {
  ProbeBench first;
  EXPECT_EQ(first.run(1, 9600).entries()[0].Text, "COM: 1\t 9600 8,n,1 (Currently in Use)");
  EXPECT_TRUE(first.openSpeedsOf(1).empty());
  ProbeBench last;
  EXPECT_EQ(last.run(16, 9600).entries()[15].Text, "COM: 16\t 9600 8,n,1 (Currently in Use)");
  EXPECT_TRUE(last.openSpeedsOf(16).empty());
}

TEST(PortProbe, ModemIsFoundWithItsHighestAnsweringSpeed) {
  ProbeBench bench;
  bench.devices[2] = modemUpTo(57600);
  const PortProbe probe = bench.run(0);
  EXPECT_EQ(probe.entries()[1].Text, "COM: 2  (Modem - 57600 Max Speed)");
  EXPECT_EQ(probe.entries()[1].State, PortState::Modem);
  EXPECT_EQ(probe.entries()[1].ModemSpeed, 57600);
  EXPECT_EQ(bench.openSpeedsOf(2),
            (std::vector<std::int32_t>{1200, 256000, 128000, 115200, 57600}));
  EXPECT_EQ(bench.writesTo(2),
            (std::vector<std::string>{"ATV1Q0\r", "AT\r", "AT\r", "AT\r", "AT\r"}));
}

TEST(PortProbe, SpeedsTheDriverRefusesAreSkippedWithoutWaiting) {
  ProbeBench bench;
  bench.devices[6] = modemUpTo(57600);
  bench.devices[6].fastestOpen = 115200;
  const PortProbe probe = bench.run(0);
  EXPECT_EQ(probe.entries()[5].Text, "COM: 6  (Modem - 57600 Max Speed)");
  EXPECT_EQ(bench.openSpeedsOf(6),
            (std::vector<std::int32_t>{1200, 256000, 128000, 115200, 57600}));
  EXPECT_EQ(bench.writesTo(6).size(), 3u);  // ATV1Q0, then AT at 115200 and 57600
  // One unanswered wait (115200) of at most 1.5 s, the rest answered at once.
  EXPECT_LE(bench.busyTime[6], 3 * Second / 2 + 3 * ReplyLatency + 1);
}

TEST(PortProbe, ModemAnsweringAtTopSpeedNeedsOneTry) {
  ProbeBench bench;
  bench.devices[9] = modemUpTo(256000);
  EXPECT_EQ(bench.run(0).entries()[8].Text, "COM: 9  (Modem - 256000 Max Speed)");
  EXPECT_EQ(bench.openSpeedsOf(9), (std::vector<std::int32_t>{1200, 256000}));
}

TEST(PortProbe, ModemSilentAtEverySpeedShowsTheLowest) {
  ProbeBench bench;
  bench.devices[2] = modemUpTo(0);
  const PortProbe probe = bench.run(0);
  EXPECT_EQ(probe.entries()[1].Text, "COM: 2  (Modem - 110 Max Speed)");
  EXPECT_EQ(bench.openSpeedsOf(2).size(), 17u);  // 1200, then all 16 speeds
}

TEST(PortProbe, LowerCaseOkIsNotAnAnswer) {
  ProbeBench bench;
  bench.devices[1] = modemUpTo(57600, "ok\r\n");
  EXPECT_EQ(bench.run(0).entries()[0].Text, "COM: 1  (Available)");
  EXPECT_EQ(bench.openSpeedsOf(1).size(), 1u);
}

TEST(PortProbe, OkWithoutCrLfIsNotAnAnswer) {
  ProbeBench bench;
  bench.devices[1] = modemUpTo(57600, "OK");
  EXPECT_EQ(bench.run(0).entries()[0].Text, "COM: 1  (Available)");
}

TEST(PortProbe, ErrorAnswerMeansNoModem) {
  ProbeBench bench;
  bench.devices[1].reply = [](std::int32_t, const std::string&) {
    return std::string{"ERROR\r\n"};
  };
  const PortProbe probe = bench.run(0);
  EXPECT_EQ(probe.entries()[0].Text, "COM: 1  (Available)");
  EXPECT_LT(bench.busyTime[1], Second / 2) << "an ERROR ends the wait at once";
}

TEST(PortProbe, MixedPortsGetTheirOwnTextsAndEveryOpenIsClosed) {
  ProbeBench bench;
  bench.devices[1] = FakeDevice{};
  bench.devices[2] = modemUpTo(19200);
  bench.devices[5] = FakeDevice{};
  const PortProbe probe = bench.run(5, 9600);
  EXPECT_EQ(probe.entries()[0].Text, "COM: 1  (Available)");
  EXPECT_EQ(probe.entries()[1].Text, "COM: 2  (Modem - 19200 Max Speed)");
  EXPECT_EQ(probe.entries()[2].Text, "COM: 3 (Not Available)");
  EXPECT_EQ(probe.entries()[4].Text, "COM: 5\t 9600 8,n,1 (Currently in Use)");
  EXPECT_EQ(probe.entries()[15].Text, "COM: 16 (Not Available)");
  int opens = 0, closes = 0;
  for (const ProbeAction& action : bench.log) {
    opens += action.What == ProbeAction::Kind::Open && bench.devices.count(action.Port) ? 1 : 0;
    closes += action.What == ProbeAction::Kind::Close ? 1 : 0;
  }
  EXPECT_EQ(opens, closes);
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

TEST(PortProbe, WaitIsNotOverOneTickBeforeItsDeadline) {
  PortProbe probe = probeWaitingOnPortOne();
  ASSERT_EQ(probe.deadline(), Second + 1);  // the wait includes the whole second 1.0 s
  probe.expire(Second);
  EXPECT_EQ(probe.deadline(), Second + 1);
  EXPECT_FALSE(probe.nextAction().has_value());
  EXPECT_EQ(probe.entries()[0].State, PortState::Unprobed);
}

TEST(PortProbe, WaitIsOverAtItsDeadline) {
  PortProbe probe = probeWaitingOnPortOne();
  probe.expire(Second + 1);
  EXPECT_EQ(probe.entries()[0].Text, "COM: 1  (Available)");
  auto close = probe.nextAction();
  ASSERT_TRUE(close.has_value());
  EXPECT_EQ(close->What, ProbeAction::Kind::Close);
  auto next = probe.nextAction();
  ASSERT_TRUE(next.has_value());
  EXPECT_EQ(next->What, ProbeAction::Kind::Open);
  EXPECT_EQ(next->Port, 2);
}

TEST(PortProbe, WaitIsOverAfterItsDeadline) {
  PortProbe probe = probeWaitingOnPortOne();
  probe.expire(5 * Second);
  EXPECT_EQ(probe.entries()[0].State, PortState::Available);
}

TEST(PortProbe, AnswerOneTickBeforeTheDeadlineCounts) {
  PortProbe probe = probeWaitingOnPortOne();
  probe.receive("OK\r\n", Second);
  EXPECT_EQ(probe.deadline(), std::nullopt);  // now opening at 256000
  probe.nextAction();                         // close
  auto open = probe.nextAction();
  ASSERT_TRUE(open.has_value());
  EXPECT_EQ(open->Speed, 256000);
}

TEST(PortProbe, AnswerAtTheDeadlineIsTooLate) {
  PortProbe probe = probeWaitingOnPortOne();
  probe.receive("OK\r\n", Second + 1);
  EXPECT_EQ(probe.entries()[0].Text, "COM: 1  (Available)");
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
  probe.expire(4 * Second + 1);  // at the deadline
  EXPECT_EQ(probe.nextAction()->What, ProbeAction::Kind::Close);
  auto next = probe.nextAction();
  ASSERT_TRUE(next.has_value());
  EXPECT_EQ(next->What, ProbeAction::Kind::Open);
  EXPECT_EQ(next->Speed, 128000);
  EXPECT_EQ(probe.entries()[0].State, PortState::Unprobed);
}

TEST(PortProbe, SixteenSilentPortsCostOneWaitEach) {
  ProbeBench bench;
  for (int port = 1; port <= 16; ++port) bench.devices[port] = FakeDevice{};
  const PortProbe probe = bench.run(0);
  for (const PortEntry& entry : probe.entries()) EXPECT_EQ(entry.State, PortState::Available);
  EXPECT_GE(bench.now, 16 * Second / 2);
  EXPECT_LE(bench.now, 16 * (3 * Second / 2 + 1));
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

TEST(PortProbe, BusyPortKeepsItsReason) {
  PortProbe probe(0, 19200);
  probe.nextAction();
  probe.openFailed(OpenFailure::Busy);
  EXPECT_EQ(probe.entries()[0].Text, "COM: 1 (Not Available)");
  EXPECT_EQ(probe.entries()[0].Failure, OpenFailure::Busy);
  EXPECT_EQ(probe.nextAction()->Port, 2);
}

}  // namespace
}  // namespace lumora
