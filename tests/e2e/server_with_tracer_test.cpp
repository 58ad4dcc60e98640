// The headless server and the tracer simulator as real processes over a pseudo-terminal
// pair the test opens: the server opens the slave by its path, the simulator plays the
// tracer on the master it inherits.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <memory>
#include <sstream>

#include "child_process.h"
#include "e2e_paths.h"
#include "pty_pair.h"

namespace lumora::testing {
namespace {

namespace fs = std::filesystem;

// Generous limits: the machine may be loaded; nothing here measures speed.
constexpr int StartLimitMs = 20000;
constexpr int ExchangeLimitMs = 60000;
const std::string Sample1001 = std::string(LUMORA_SAMPLES) + "/1001";

struct SimRun {
  int exitCode = -1;
  std::string output;  // JSON lines
};

class ServerWithTracer : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(saves_); }

  void TearDown() override {
    if (!server_) return;
    server_->terminate();
    EXPECT_EQ(server_->waitForExit(StartLimitMs), 0) << server_->errors();
    EXPECT_NE(server_->output().find("Port closed; stopped."), std::string::npos);
  }

  // The device and save folder come from the command line, or else from the settings store.
  void startServer(bool fromSettings = false) {
    std::vector<std::string> argv{Program("lumora-trace-server"), "--headless"};
    if (!fromSettings)
      argv.insert(argv.end(), {"--device", pty_.slavePath(), "--save-dir", saves_.string()});
    server_ = std::make_unique<ChildProcess>(
        argv, std::vector<std::string>{"XDG_CONFIG_HOME=" + (temp_ / "config"),
                                       "XDG_DATA_HOME=" + (temp_ / "data")});
    ASSERT_TRUE(server_->waitForOutput("Listening on", StartLimitMs))
        << server_->output() << server_->errors();
  }

  SimRun runSim(std::vector<std::string> args) {
    std::vector<std::string> argv{Program("lumora-tracer-sim"), "--fd",
                                  std::to_string(pty_.master()), "--reply-timeout", "15000"};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildProcess sim(argv, {}, {pty_.master()});
    const auto code = sim.waitForExit(ExchangeLimitMs);
    EXPECT_TRUE(code.has_value()) << "the simulator did not finish: " << sim.output();
    return {code.value_or(-1), sim.output()};
  }

  // Server output gathered until `text` shows (or the limit passes).
  bool serverSays(std::string_view text) { return server_->waitForOutput(text, StartLimitMs); }

  TempFolder temp_;
  fs::path saves_ = temp_.path() / "traces";
  PtyPair pty_;
  std::unique_ptr<ChildProcess> server_;
};

// One upload of sample 1001 with the simulator's options: how it ends on both sides.
struct Exchange {
  std::string name;
  std::string simOptions;  // separated by blanks
  int simExit;             // 0 stored, 1 refused
  std::string simSaw;      // in the simulator's JSON lines
  std::string serverSaid;  // in the server's output
  std::string storedAs;    // "" when nothing may be stored
};

void PrintTo(const Exchange& e, std::ostream* os) { *os << e.name; }

const Exchange Exchanges[] = {
    {"Stored", "", 0, "\"outcome\":\"stored\"", "OMA Tracer\nReady for OMA Trace\n", "1001"},
    {"Init", "--init", 0, "ANS=INI\\u000d\\u000aSTATUS=15",
     "OMA Host Does Not Support Initialization", "1001"},
    // The simulator fails the exchange when an answer lacks a correct CRC record.
    {"CrcMode", "--crc --zfmt", 0, "CRC=", " COM:0 Trace Received: 1001\n", "1001"},
    // The owner's timer must not end a body that pauses for less than 6 s.
    {"BodyPauseUnderSixSeconds", "--body-pause 200:1500", 0, "\"outcome\":\"stored\"",
     "Trace Received: 1001", "1001"},
    {"WrongVendor", "--vendor OTHERBRAND", 1, "\"status\":17",
     "Brand message (not shown): This tracer is a brand other than Corvane.", ""},
    {"UnsafeJobNumber", "--job ../escaped", 1, "\"status\":6", "Invalid Job ID: \"../escaped\"",
     ""},
    {"BodyPauseBeyondSixSeconds", "--body-pause 200:7500", 1, "\"status\":1,", "OMA Tracer Timeout",
     ""},
};

class UploadExchange : public ServerWithTracer, public ::testing::WithParamInterface<Exchange> {};

TEST_P(UploadExchange, EndsAsTheTracerExpects) {
  const Exchange& e = GetParam();
  startServer();
  std::vector<std::string> args;
  std::istringstream options(e.simOptions);
  for (std::string word; options >> word;) args.push_back(word);
  args.push_back(Sample1001);
  const SimRun run = runSim(args);
  EXPECT_EQ(run.exitCode, e.simExit) << run.output;
  EXPECT_NE(run.output.find(e.simSaw), std::string::npos) << run.output;
  EXPECT_TRUE(serverSays(e.serverSaid)) << server_->output();
  if (e.storedAs.empty())
    EXPECT_TRUE(fs::is_empty(saves_));
  else
    EXPECT_EQ(ReadBytes(saves_ / e.storedAs), ReadBytes(Sample1001));
  EXPECT_FALSE(fs::exists(temp_.path() / "escaped"));
}

INSTANTIATE_TEST_SUITE_P(Flows, UploadExchange, ::testing::ValuesIn(Exchanges),
                         [](const auto& param) { return param.param.name; });

TEST_F(ServerWithTracer, RepeatedUploads_AreAllStored) {
  startServer();
  const SimRun run = runSim({"--repeat", "3", Sample1001, std::string(LUMORA_SAMPLES) + "/1002"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("\"stored\":6"), std::string::npos) << run.output;
  EXPECT_TRUE(server_->waitForCount("Trace Received: 1002\n", 6, StartLimitMs));
  EXPECT_EQ(CountOf(server_->output(), "Trace Received: 1001\n"), 6u);
}

TEST_F(ServerWithTracer, SettingsStore_NamesDevicePortAndSaveFolder) {
  fs::create_directories(temp_.path() / "config");
  std::ofstream(temp_.path() / "config" / "Lumora Corvane Trace Server.conf")
      << "[Properties]\nPort=3\nDevice3=" << pty_.slavePath() << "\nSavePath=" << saves_.string()
      << "\nSpeed=9600\n";
  startServer(true);
  EXPECT_NE(server_->output().find("Listening on " + pty_.slavePath() + " at 9600,N,8,1"),
            std::string::npos)
      << server_->output();
  EXPECT_EQ(runSim({Sample1001}).exitCode, 0);
  EXPECT_TRUE(serverSays("COM:3 Trace Received: 1001")) << server_->output();
  EXPECT_TRUE(fs::exists(saves_ / "1001"));
}

TEST_F(ServerWithTracer, Sigint_ClosesThePortAndExits0) {
  startServer();
  server_->sendSignal(SIGINT);
  EXPECT_EQ(server_->waitForExit(StartLimitMs), 0) << server_->errors();
  EXPECT_NE(server_->output().find("Port closed; stopped."), std::string::npos);
  server_.reset();
  startServer();  // the line is free again: a new server opens it at once
}

TEST(ServerCommandLine, RefusalsNameTheProblemAndExitNonZero) {
  TempFolder temp;
  const struct {
    std::vector<std::string> args;
    int exitCode;
    std::string error;
  } cases[] = {
      {{"--headless", "--device", temp / "no-such-tty", "--save-dir", temp / "t"},
       1,
       "No usable port: "},
      {{"--headless", "--save-dir", temp / "t"}, 1, "No usable port: the setting Port is 0"},
      {{"--speed", "abc", "--headless"}, 2, "usage: lumora-trace-server --headless"},
      {{"--bogus"}, 2, "usage: lumora-trace-server"},
      {{"--device", "/dev/ttyS0"}, 2, "usage: lumora-trace-server"},  // needs --headless
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front());
    std::vector<std::string> argv{Program("lumora-trace-server")};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    ChildProcess server(
        argv, {"XDG_CONFIG_HOME=" + (temp / "config"), "XDG_DATA_HOME=" + (temp / "data")});
    EXPECT_EQ(server.waitForExit(StartLimitMs), c.exitCode);
    EXPECT_NE(server.errors().find(c.error), std::string::npos) << server.errors();
  }
}

}  // namespace
}  // namespace lumora::testing
