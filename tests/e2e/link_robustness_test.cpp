// The server on a new user's worst day: links and left-overs in the save folder, a file-size
// limit, a second server on the same line, a stop just after the body. Noise on the line is
// met by the link engine's tests and the link fuzzer. Whatever happens, the tracer hears
// status 0 only for a file holding exactly what it sent, and nothing outside the save folder
// is written.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/core/framing.h"
#include "read_until.h"
#include "server_fixture.h"

namespace lumora::testing {
namespace {

const std::string kSample1004 = std::string(LUMORA_SAMPLES) + "/1004";  // 2.8 KiB

// The server on the pseudo-terminal, storing in saves_.
class LinkRobustness : public ServerWithTracer {
 protected:
  void start(const Args& before = {}) {
    fs::create_directories(saves_);
    startServer({"--device", pty_.slavePath(), "--save-dir", saves_.string()}, before);
  }
  std::vector<std::string> savedNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(saves_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// Mended fault: a job whose name was a link in the save folder replaced the file the link
// named, and a dangling link made a file outside; the temporary file was written out there
// too. The trace replaces the link itself.
TEST_F(LinkRobustness, StoringNeverFollowsALinkOutOfTheSaveFolder) {
  const fs::path outside = temp_.dir() / "outside";
  fs::create_directories(outside);
  temp_.write("outside/victim", "precious");
  start();
  fs::create_symlink(outside / "victim", saves_ / "1001");
  fs::create_symlink(outside / "ghost", saves_ / "1004");
  runSim({kSample1001, kSample1004}, 0, "\"stored\":2");
  EXPECT_EQ(ReadBytes(outside / "victim"), "precious");
  EXPECT_EQ(std::distance(fs::directory_iterator(outside), {}), 1);
  EXPECT_FALSE(fs::is_symlink(saves_ / "1001"));
  EXPECT_EQ(ReadBytes(saves_ / "1001"), ReadBytes(kSample1001));
  EXPECT_EQ(ReadBytes(saves_ / "1004"), ReadBytes(kSample1004));
}

// Mended fault: a kill during a store left its temporary file for good, and once Temp.tmp to
// Temp99.tmp existed every upload got status 2. Temporary names are unique; left-overs are
// removed at start-up.
TEST_F(LinkRobustness, LeftOverTemporaryFilesAreRemovedAndNeverStopStoring) {
  fs::create_directories(saves_);
  for (int n = 0; n < 100; ++n) temp_.write("traces/Temp" + (n == 0 ? std::string() : std::to_string(n)) + ".tmp");
  temp_.write("traces/.Temp-00c0ffee00c0ffee.tmp", "a store cut short");
  start();
  EXPECT_FALSE(fs::exists(saves_ / ".Temp-00c0ffee00c0ffee.tmp"));
  runSim({kSample1004}, 0, "\"stored\":1");
  EXPECT_EQ(ReadBytes(saves_ / "1004"), ReadBytes(kSample1004));
  EXPECT_EQ(savedNames().size(), 101u);  // the operator's Temp*.tmp files stay
}

// Mended fault: as root, a second server reaching the same device by another path (a link
// such as /dev/serial/by-id/...) opened it too, and both answered the tracer. The device
// itself is locked: the second is refused, naming the device.
TEST_F(LinkRobustness, ASecondServerOnTheSameDeviceByAnotherPathIsRefused) {
  start();
  const fs::path link = temp_.dir() / "by-id-tracer";
  fs::create_symlink(pty_.slavePath(), link);
  ChildProcess second({Program("lumora-trace-server"), "--headless", "--device", link.string(), "--save-dir",
                       saves_.string()},
                      environment(temp_));
  EXPECT_EQ(second.waitForExit(kStartLimitMs), 1) << second.output();
  EXPECT_NE(second.errors().find("No usable port: " + link.string() + ": the device " + pty_.slavePath() +
                                 " is the line of another trace server"),
            std::string::npos)
      << second.errors();
  runSim({kSample1004}, 0, "\"stored\":1");  // the first still has the line to itself
}

// Mended fault: under a file-size limit the server died of SIGXFSZ, leaving its temporary
// file. A write that fails is a failed store: status 2 with the system's reason, nothing
// left behind, and the next trace is stored.
TEST_F(LinkRobustness, AFileSizeLimitFailsTheStoreAndTheServerGoesOn) {
  start({"/bin/sh", "-c", "ulimit -f 16 && exec \"$0\" \"$@\""});  // 8 KiB: 1001 is larger, 1004 smaller
  runSim({kSample1001}, 1, "\"status\":2");
  EXPECT_TRUE(serverSays("Cant Store Data: cannot write ")) << server_->output();
  EXPECT_TRUE(serverSays(": File too large"));
  runSim({kSample1004}, 0, "\"stored\":1");
  EXPECT_EQ(savedNames(), std::vector<std::string>{"1004"});
}

// Mended fault: a stop signal just after the body's GS ended the server with the body
// acknowledged and never stored or answered. The body that has arrived is finished first.
TEST_F(LinkRobustness, AStopJustAfterTheBodyStoresAndAnswersItFirst) {
  start();
  const auto play = [&](const std::string& packet, const std::string& until) {
    EXPECT_EQ(::write(pty_.master(), packet.data(), packet.size()), static_cast<ssize_t>(packet.size()));
    return ReadUntil(pty_.master(), until, kExchangeLimitMs);
  };
  play(framePacket({{"REQ=", "TRC"}, {"JOB=", "77"}, {"VEN=", "CORVANE"}, {"TRCFMT=", "1;400;E;R;F"}}, false),
       "STATUS=0");
  const std::string body = framePacket({{"ANS=", "TRC"}, {"JOB=", "77"}, {"R=", "2500"}}, false);
  EXPECT_EQ(::write(pty_.master(), body.data(), body.size()), static_cast<ssize_t>(body.size()));
  server_->sendSignal(SIGTERM);
  EXPECT_NE(ReadUntil(pty_.master(), "STATUS=0", kExchangeLimitMs).find("\x06\x1c" "ANS=TRC\r\nJOB=77\r\nSTATUS=0"),
            std::string::npos);
  EXPECT_EQ(ReadBytes(saves_ / "77"), "REQ=FIL\r\nJOB=77\r\nR=2500\r\n");
  stopServer(SIGTERM);  // it has stopped already
  server_.reset();
}

}  // namespace
}  // namespace lumora::testing
