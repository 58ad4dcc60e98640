#include "setup/core/port_probe.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace lumora {
namespace {

constexpr std::int64_t kSecond = 1'000'000;  // microseconds

// A device on one port: the fastest speed its driver opens at, and what it sends back for a
// command written at a speed (nothing when it stays silent).
struct FakeDevice {
  std::int32_t fastestOpen = 1'000'000;
  std::function<std::string(std::int32_t speed, const std::string& command)> reply =
      [](std::int32_t, const std::string&) { return std::string{}; };
};

// Echoes the detection command before its answer; answers "AT" up to its fastest speed.
FakeDevice modemUpTo(std::int32_t fastestAnswer, std::int32_t fastestOpen = 1'000'000) {
  return {fastestOpen, [=](std::int32_t speed, const std::string& command) {
            if (command == "ATV1Q0") return command + "\r\r\nOK\r\n";
            return speed <= fastestAnswer ? std::string{"OK\r\n"} : std::string{};
          }};
}

// Probes with `device` on port 2 and no device on the other ports, on a fake clock: a reply
// arrives 20 ms after its command. `heard` logs what port 2 heard ("AT@57600", and
// "refused@256000" for a speed its driver refused). Opening a second port or leaving one open
// fails the test.
PortList probeWith(const FakeDevice& device, std::vector<std::string>& heard) {
  using Kind = ProbeAction::Kind;
  PortProbe probe(0, 19200);
  std::int64_t now = 0;
  int openPort = 0;
  std::int32_t openSpeed = 0;
  std::string reply;
  for (int guard = 0; guard < 10'000 && !probe.finished(); ++guard) {
    while (std::optional<ProbeAction> action = probe.nextAction()) {
      EXPECT_EQ(openPort, action->kind == Kind::Open ? 0 : action->port);
      if (action->kind == Kind::Close) {
        openPort = 0;
        reply.clear();
      } else if (action->kind == Kind::Write) {
        const std::string command = action->bytes.substr(0, action->bytes.size() - 1);  // without the CR
        heard.push_back(command + "@" + std::to_string(openSpeed));
        reply = device.reply(openSpeed, command);
      } else if (action->port != 2) {
        probe.openFailed();
      } else if (action->speed > device.fastestOpen) {
        heard.push_back("refused@" + std::to_string(action->speed));
        probe.openFailed();
      } else {
        openPort = 2;
        openSpeed = action->speed;
        probe.opened(now);
      }
    }
    if (!probe.deadline()) break;
    now = reply.empty() ? *probe.deadline() : now + 20'000;
    reply.empty() ? probe.expire(now) : probe.receive(std::exchange(reply, {}), now);
  }
  EXPECT_TRUE(probe.finished());
  EXPECT_EQ(openPort, 0) << "the probe left a port open";
  return probe.entries();
}

// Detection at 1200, then "AT" from the top speed down to `lowest`.
std::vector<std::string> speedSearchDownTo(std::int32_t lowest) {
  std::vector<std::string> heard{"ATV1Q0@1200"};
  for (auto speed = kProbeSpeeds.rbegin(); speed != kProbeSpeeds.rend() && *speed >= lowest; ++speed) {
    heard.push_back("AT@" + std::to_string(*speed));
  }
  return heard;
}

// Silent ports, modems answering at some speeds, held ports and the configured port are met
// over pseudo-terminals (probe_runner_test.cpp); these are the devices no terminal can play.
TEST(PortProbe, ModemsAreListedWithTheFastestSpeedThatAnsweredAndErrorMeansNoModem) {
  std::vector<std::string> refusing = speedSearchDownTo(57600);
  refusing[1] = "refused@256000", refusing[2] = "refused@128000";  // no command where it cannot open
  const struct {
    const char* what;
    FakeDevice device;
    std::string text;
    std::vector<std::string> heard;
  } cases[] = {
      {"ERROR", {1200, [](auto, auto&) { return std::string{"ERROR\r\n"}; }}, "COM: 2  (Available)", {"ATV1Q0@1200"}},
      {"driver refuses", modemUpTo(57600, 115200), "COM: 2  (Modem - 57600 Max Speed)", refusing},
      {"top speed", modemUpTo(256000), "COM: 2  (Modem - 256000 Max Speed)", speedSearchDownTo(256000)},
      {"silent at every speed", modemUpTo(0), "COM: 2  (Modem - 110 Max Speed)", speedSearchDownTo(110)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> heard;
    const PortList entries = probeWith(c.device, heard);
    EXPECT_EQ(entries[1].text, c.text);
    EXPECT_EQ(heard, c.heard);
    EXPECT_EQ(entries[2].text, "COM: 3 (Not Available)");
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
  probe.opened(0);        // not asked for
  EXPECT_FALSE(probe.nextAction().has_value());
  probe.receive("OK\r\n", kSecond);
  probe.nextAction();  // close
  EXPECT_EQ(probe.nextAction()->speed, 256000);

  PortProbe late = probeWaitingOnPortOne();
  late.receive("OK\r\n", kSecond + 1);
  EXPECT_EQ(late.entries()[0].text, "COM: 1  (Available)");

  PortProbe early(0, 19200);
  early.receive("OK\r\n", 0);  // nothing written yet
  early.expire(10 * kSecond);  // nothing awaited
  EXPECT_EQ(early.deadline(), std::nullopt);
  EXPECT_EQ(early.entries()[0].text, "COM: 1");
}

}  // namespace
}  // namespace lumora
