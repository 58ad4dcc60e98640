#include "setup/core/port_probe.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace lumora {
namespace {

constexpr std::int64_t kSecond = 1'000'000;  // microseconds
constexpr std::int64_t kReplyLatency = 20'000;

// A device on one port: the fastest speed its driver opens at, and what it sends back for
// the bytes written to it at a speed (nothing when it stays silent).
struct FakeDevice {
  std::int32_t fastestOpen = 1'000'000;
  std::function<std::string(std::int32_t speed, const std::string& written)> reply =
      [](std::int32_t, const std::string&) { return std::string{}; };
};

// Echoes the detection command before its answer; answers "AT" only up to its fastest speed.
FakeDevice modemUpTo(std::int32_t fastestAnswer, std::string ok = "OK\r\n") {
  FakeDevice modem;
  modem.reply = [=](std::int32_t speed, const std::string& written) {
    if (written == "ATV1Q0\r") return written + "\r\n" + ok;
    return speed <= fastestAnswer ? ok : std::string{};
  };
  return modem;
}

FakeDevice answering(std::string reply) {
  FakeDevice device;
  device.reply = [=](std::int32_t, const std::string&) { return reply; };
  return device;
}

// Drives a probe with a fake clock over fake devices; ports with no device fail to open.
// Opening a second port, touching a port that is not open, or leaving one open fails the test.
struct ProbeBench {
  std::map<int, FakeDevice> devices;
  std::int64_t now = 0;
  std::map<int, std::vector<std::int32_t>> opens;  // speeds each port was opened at
  std::map<int, std::vector<std::string>> writes;
  int openPort = 0;
  std::int32_t openSpeed = 0;
  std::string pendingReply;

  void apply(PortProbe& probe, const ProbeAction& action) {
    using Kind = ProbeAction::Kind;
    ASSERT_EQ(openPort, action.kind == Kind::Open ? 0 : action.port) << "port " << action.port;
    if (action.kind == Kind::Open) {
      opens[action.port].push_back(action.speed);
      const auto device = devices.find(action.port);
      if (device == devices.end()) return probe.openFailed(OpenFailure::NoSuchPort);
      if (action.speed > device->second.fastestOpen) return probe.openFailed(OpenFailure::SpeedRefused);
      openPort = action.port, openSpeed = action.speed;
      probe.opened(now);
    } else if (action.kind == Kind::Write) {
      writes[action.port].push_back(action.bytes);
      pendingReply = devices[action.port].reply(openSpeed, action.bytes);
    } else {
      openPort = 0;
      pendingReply.clear();
    }
  }

  PortProbe run(std::int32_t configuredPort, std::int32_t configuredSpeed = 19200) {
    PortProbe probe(configuredPort, configuredSpeed);
    for (int guard = 0; guard < 10'000 && !probe.finished(); ++guard) {
      while (auto action = probe.nextAction()) apply(probe, *action);
      if (probe.finished()) break;
      if (!probe.deadline()) {
        ADD_FAILURE() << "the probe waits for nothing";
        break;
      }
      if (!pendingReply.empty() && now + kReplyLatency < *probe.deadline()) {
        now += kReplyLatency;
        probe.receive(std::exchange(pendingReply, {}), now);
      } else {
        now = *probe.deadline();
        probe.expire(now);
      }
    }
    EXPECT_TRUE(probe.finished());
    EXPECT_EQ(openPort, 0) << "the probe left a port open";
    return probe;
  }
};

// Detection at 1200, then the speed search from the top down to the modem's fastest speed.
std::vector<std::int32_t> opensDownTo(std::int32_t lowest) {
  std::vector<std::int32_t> speeds{1200};
  for (auto speed = kProbeSpeeds.rbegin(); speed != kProbeSpeeds.rend() && *speed >= lowest; ++speed) {
    speeds.push_back(*speed);
  }
  return speeds;
}

std::vector<std::string> commands(std::size_t count) {
  std::vector<std::string> sent(count, "AT\r");
  if (count > 0) sent[0] = "ATV1Q0\r";
  return sent;
}

TEST(PortProbe, EachKindOfDeviceGetsItsEntryAfterTheRightOpensAndWrites) {
  FakeDevice refusing = modemUpTo(57600);
  refusing.fastestOpen = 115200;
  const struct {
    const char* what;
    std::optional<FakeDevice> device;  // nothing: the port does not open
    std::string text;
    std::vector<std::int32_t> opens;
    std::size_t writes;
  } cases[] = {
      {"silent", FakeDevice{}, "COM: 2  (Available)", {1200}, 1},
      {"missing", std::nullopt, "COM: 2 (Not Available)", {1200}, 0},
      {"modem", modemUpTo(57600), "COM: 2  (Modem - 57600 Max Speed)", opensDownTo(57600), 5},
      {"refusing", refusing, "COM: 2  (Modem - 57600 Max Speed)", opensDownTo(57600), 3},  // no write when refused
      {"top speed", modemUpTo(256000), "COM: 2  (Modem - 256000 Max Speed)", opensDownTo(256000), 2},
      {"modem silent at every speed", modemUpTo(0), "COM: 2  (Modem - 110 Max Speed)", opensDownTo(110), 17},
      {"lower-case ok", modemUpTo(57600, "ok\r\n"), "COM: 2  (Available)", {1200}, 1},
      {"OK without CR LF", modemUpTo(57600, "OK"), "COM: 2  (Available)", {1200}, 1},
      {"ERROR", answering("ERROR\r\n"), "COM: 2  (Available)", {1200}, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ProbeBench bench;
    if (c.device) bench.devices[2] = *c.device;
    EXPECT_EQ(bench.run(0).entries()[1].text, c.text);
    EXPECT_EQ(bench.opens[2], c.opens);
    EXPECT_EQ(bench.writes[2], commands(c.writes));
  }
}

// The port in use is never opened and is the only one ticked; with none in use all sixteen
// are tried, and failed opens cost no wait.
TEST(PortProbe, ConfiguredPortIsInUseNeverOpenedAndTheOnlyOneTicked) {
  for (const int configured : {3, 16, 0, 17}) {
    SCOPED_TRACE(configured);
    ProbeBench bench;
    bench.devices[configured] = FakeDevice{};
    const PortProbe probe = bench.run(configured, 9600);
    for (int port = 1; port <= 16; ++port) {
      const PortEntry& entry = probe.entries()[static_cast<std::size_t>(port - 1)];
      const bool inUse = port == configured;
      EXPECT_EQ(entry.text, "COM: " + std::to_string(port) +
                                (inUse ? "\t 9600 8,n,1 (Currently in Use)" : " (Not Available)"));
      EXPECT_EQ(entry.ticked, inUse);
      EXPECT_EQ(bench.opens[port].size(), inUse ? 0u : 1u);
    }
    EXPECT_EQ(bench.now, 0);
  }
}

// Port 1 opened at 0.2 s: the answer is awaited until 1.0 s inclusive.
PortProbe probeWaitingOnPortOne() {
  PortProbe probe(0, 19200);
  EXPECT_EQ(probe.nextAction()->kind, ProbeAction::Kind::Open);
  probe.opened(200'000);
  EXPECT_EQ(probe.nextAction()->bytes, "ATV1Q0\r");
  return probe;
}

TEST(PortProbe, AnAnswerCountsUntilTheDeadlineTickAndStrayResultsAreIgnored) {
  PortProbe probe = probeWaitingOnPortOne();
  ASSERT_EQ(probe.deadline(), kSecond + 1);
  probe.expire(kSecond);  // one tick early: still waiting
  probe.opened(0);       // not asked for
  EXPECT_FALSE(probe.nextAction().has_value());
  probe.receive("OK\r\n", kSecond);
  probe.nextAction();  // close
  EXPECT_EQ(probe.nextAction()->speed, 256000);

  PortProbe late = probeWaitingOnPortOne();
  late.receive("OK\r\n", kSecond + 1);
  EXPECT_EQ(late.entries()[0].text, "COM: 1  (Available)");

  PortProbe early(0, 19200);
  early.receive("OK\r\n", 0);  // nothing written yet
  early.expire(10 * kSecond);   // nothing awaited
  EXPECT_EQ(early.deadline(), std::nullopt);
  EXPECT_EQ(early.entries()[0].state, PortState::Unprobed);
}

}  // namespace
}  // namespace lumora
