// The headless server and the tracer simulator as real processes over a pseudo-terminal
// pair the test opens: the server opens the slave by its path, the simulator plays the
// tracer on the master it inherits.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <memory>

#include "child_process.h"
#include "e2e_paths.h"
#include "pty_pair.h"

namespace lumora::testing {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// Generous limits: the machine may be loaded; nothing here measures speed.
constexpr int kStartLimitMs = 20000;
constexpr int kExchangeLimitMs = 60000;
const std::string kSample1001 = std::string(LUMORA_SAMPLES) + "/1001";
const std::string kSample1002 = std::string(LUMORA_SAMPLES) + "/1002";

// The server's environment: its settings and data in `temp`.
Args environment(const TempFolder& temp) {
  return {"XDG_CONFIG_HOME=" + temp.file("config").string(), "XDG_DATA_HOME=" + temp.file("data").string()};
}

class ServerWithTracer : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(saves_); }

  void TearDown() override {
    if (!server_) return;
    server_->sendSignal(SIGTERM);
    EXPECT_EQ(server_->waitForExit(kStartLimitMs), 0) << server_->errors();
    EXPECT_NE(server_->output().find("Port closed; stopped."), std::string::npos);
  }

  // The device and save folder come from the command line, or else from the settings store.
  void startServer(bool fromSettings = false) {
    Args argv{Program("lumora-trace-server"), "--headless"};
    if (!fromSettings)
      argv.insert(argv.end(), {"--device", pty_.slavePath(), "--save-dir", saves_.string()});
    server_ = std::make_unique<ChildProcess>(argv, environment(temp_));
    ASSERT_TRUE(serverSays("Listening on")) << server_->output() << server_->errors();
  }
  bool serverSays(std::string_view text) { return server_->waitForOutput(text, kStartLimitMs); }

  // The simulator's exit code (0 all stored, 1 refused) and its JSON lines.
  std::pair<int, std::string> runSim(Args args) {
    Args argv{Program("lumora-tracer-sim"), "--fd", std::to_string(pty_.master()),
              "--reply-timeout", "15000"};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildProcess sim(argv, {}, {pty_.master()});
    return {sim.waitForExit(kExchangeLimitMs).value_or(-1), sim.output()};
  }

  Args savedNames() const {
    Args names;
    for (const auto& entry : fs::directory_iterator(saves_)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder temp_;
  fs::path saves_ = temp_.dir() / "traces";
  PtyPair pty_;
  std::unique_ptr<ChildProcess> server_;
};

// One server, its line named by the settings store, meets a tracer that uploads twice, each
// time with an init request first, CRC records (the simulator fails the exchange on an answer
// without a correct one) and a pause in the body short of the 6 s limit; then one of another
// brand and one whose job number would leave the save folder. Only the two stored traces
// reach the disk. SIGINT closes the port, so a new server, told its line and folder on the
// command line, opens it at once.
TEST_F(ServerWithTracer, UploadsEndAsTheTracerExpects) {
  fs::create_directories(temp_.dir() / "config");
  std::ofstream(temp_.dir() / "config" / "Lumora Corvane Trace Server.conf")
      << "[Properties]\nPort=3\nDevice3=" << pty_.slavePath() << "\nSavePath=" << saves_.string()
      << "\nSpeed=9600\n";
  startServer(true);
  EXPECT_TRUE(serverSays("Listening on " + pty_.slavePath() + " at 9600,N,8,1"));
  const struct {
    Args simArgs;
    int simExit;
    std::string simSaw, serverSaid;
  } runs[] = {
      {{"--init", "--crc", "--zfmt", "--body-pause", "200:1500", kSample1001, kSample1002}, 0,
       "\"stored\":2", "OMA Host Does Not Support Initialization"},
      {{"--vendor", "OTHERBRAND", kSample1001}, 1, "\"status\":17",
       "Brand message (not shown): This tracer is a brand other than Corvane."},
      {{"--job", "../escaped", kSample1001}, 1, "\"status\":6", "Invalid Job ID: \"../escaped\""},
  };
  for (const auto& run : runs) {
    const auto [exitCode, output] = runSim(run.simArgs);
    EXPECT_EQ(exitCode, run.simExit) << output;
    EXPECT_NE(output.find(run.simSaw), std::string::npos) << output;
    EXPECT_TRUE(serverSays(run.serverSaid)) << server_->output();
  }
  EXPECT_TRUE(serverSays("COM:3 Trace Received: 1002\n")) << server_->output();
  EXPECT_EQ(savedNames(), (Args{"1001", "1002"}));
  EXPECT_EQ(ReadBytes(saves_ / "1001"), ReadBytes(kSample1001));
  EXPECT_FALSE(fs::exists(temp_.dir() / "escaped"));

  server_->sendSignal(SIGINT);
  EXPECT_EQ(server_->waitForExit(kStartLimitMs), 0) << server_->errors();
  EXPECT_NE(server_->output().find("Port closed; stopped."), std::string::npos);
  saves_ = temp_.dir() / "from-command-line";
  fs::create_directories(saves_);
  startServer();
  EXPECT_EQ(runSim({kSample1001}).first, 0);
  EXPECT_TRUE(serverSays("Trace Received: 1001")) << server_->output();
  EXPECT_EQ(savedNames(), Args{"1001"});
}

// A save folder that cannot be written is named at start; the server listens all the same,
// since the folder may become usable later (a network folder coming back).
TEST_F(ServerWithTracer, SaysAtStartWhenTheSaveFolderCannotBeWritten) {
  std::ofstream(temp_.file("blocker")) << "a file, not a folder";
  saves_ = temp_.file("blocker") / "traces";
  startServer();
  EXPECT_TRUE(serverSays("; traces cannot be stored yet in " + saves_.string())) << server_->output();
  EXPECT_NE(server_->errors().find("Cannot create or write the save folder"), std::string::npos);
}

// A server that cannot listen says why and never exits 0.
TEST(ServerCommandLine, RefusalsNameTheProblemAndExitNonZero) {
  TempFolder temp;
  const struct {
    Args args;
    int exitCode;
    std::string error;
  } cases[] = {
      {{"--headless", "--device", temp.file("no-such-tty").string(), "--save-dir", temp.file("t").string()}, 1,
       "No usable port: "},
      {{"--headless", "--save-dir", temp.file("t").string()}, 1, "No usable port: the setting Port is 0"},
      {{"--headless", "--device", "/dev/null", "--save-dir", temp.file("t").string()}, 1,
       "No usable port: /dev/null: the device refuses the speed, or is no serial port."},
      {{"--bogus"}, 2, "usage: lumora-trace-server"},
  };
  const auto started = fs::file_time_type::clock::now();
  for (const auto& c : cases) {
    Args argv{Program("lumora-trace-server")};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    ChildProcess server(argv, environment(temp));
    EXPECT_EQ(server.waitForExit(kStartLimitMs), c.exitCode) << c.args.front();
    EXPECT_NE(server.errors().find(c.error), std::string::npos) << server.errors();
  }
  // Mended fault: the command-line modes started the application log afresh, emptying the
  // log of a tray copy that was running.
  for (const auto& entry : fs::directory_iterator(fs::path(Program("lumora-trace-server")).parent_path())) {
    if (entry.path().extension() == ".Log") {
      EXPECT_LT(entry.last_write_time(), started) << entry.path();
    }
  }
}

}  // namespace
}  // namespace lumora::testing
