// The headless server and the tracer simulator as real processes over a pseudo-terminal
// pair the test opens: the server opens the slave by its path, the simulator plays the
// tracer on the master it inherits.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <memory>

#include "child_process.h"
#include "e2e_paths.h"
#include "pty_pair.h"

namespace lumora::testing {
namespace {

namespace fs = std::filesystem;

// Generous limits: the machine may be loaded; nothing here measures speed.
constexpr int StartLimitMs = 20000;
constexpr int ExchangeLimitMs = 60000;

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

  std::vector<std::string> env() const {
    return {"XDG_CONFIG_HOME=" + (temp_ / "config"), "XDG_DATA_HOME=" + (temp_ / "data")};
  }

  // The device and save folder come from the command line, or else from the settings store.
  void startServer(bool fromSettings = false) {
    std::vector<std::string> argv{Program("lumora-trace-server"), "--headless"};
    if (!fromSettings)
      argv.insert(argv.end(), {"--device", pty_.slavePath(), "--save-dir", saves_.string()});
    server_ = std::make_unique<ChildProcess>(argv, env());
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

  // A trace file written by the test, line ends as given.
  std::string traceFile(const std::string& name, const std::string& bytes) {
    const fs::path path = temp_.path() / "in" / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  // Server output gathered until `text` shows (or the limit passes).
  const std::string& serverSaid(std::string_view text) {
    server_->waitForOutput(text, StartLimitMs);
    return server_->output();
  }

  TempFolder temp_;
  fs::path saves_ = temp_.path() / "traces";
  PtyPair pty_;
  std::unique_ptr<ChildProcess> server_;
};

const std::string Sample1001 = std::string(LUMORA_SAMPLES) + "/1001";

TEST_F(ServerWithTracer, Upload_StoresTheSampleByteForByte) {
  startServer();
  const SimRun run = runSim({Sample1001});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("\"outcome\":\"stored\""), std::string::npos);
  EXPECT_EQ(ReadBytes(saves_ / "1001"), ReadBytes(Sample1001));
  const std::string& said = serverSaid("Trace Received: 1001");
  EXPECT_NE(said.find("OMA Tracer\nReady for OMA Trace\n"), std::string::npos) << said;
  EXPECT_NE(said.find(" COM:0 Trace Received: 1001\n"), std::string::npos) << said;
}

TEST_F(ServerWithTracer, Upload_CleansLinesAndWritesCrLf) {
  startServer();
  // LF line ends, blanks around a record, an empty line and the tracer's own answer line.
  const std::string file =
      traceFile("77", "ANS=TRC\nJOB=77\n  DBL=18.5  \n\nTRCFMT=1;400;E;R;F\nR=2500;2501\n");
  const SimRun run = runSim({"--job", "77", file});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(ReadBytes(saves_ / "77"),
            "REQ=FIL\r\nJOB=77\r\nDBL=18.5\r\nTRCFMT=1;400;E;R;F\r\nR=2500;2501\r\n");
}

TEST_F(ServerWithTracer, Initialization_IsAnsweredWithStatus15ThenTheUploadRuns) {
  startServer();
  const SimRun run = runSim({"--init", Sample1001});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("ANS=INI\\u000d\\u000aSTATUS=15"), std::string::npos) << run.output;
  EXPECT_NE(serverSaid("Trace Received").find("OMA Host Does Not Support Initialization"),
            std::string::npos);
  EXPECT_TRUE(fs::exists(saves_ / "1001"));
}

TEST_F(ServerWithTracer, WrongVendor_IsRefusedWithStatus17AndNothingStored) {
  startServer();
  const SimRun run = runSim({"--vendor", "OTHERBRAND", Sample1001});
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_NE(run.output.find("\"kind\":\"NAK\""), std::string::npos);
  EXPECT_NE(run.output.find("\"status\":17"), std::string::npos);
  const std::string& said = serverSaid("Trace has been aborted.");
  EXPECT_NE(said.find("Brand message (not shown): This tracer is a brand other than Corvane."),
            std::string::npos)
      << said;
  EXPECT_NE(said.find("Trace has been aborted."), std::string::npos);
  EXPECT_TRUE(fs::is_empty(saves_));
}

TEST_F(ServerWithTracer, UnsupportedFormat_IsRefusedWithStatus17) {
  startServer();
  const SimRun run = runSim({"--format", "1;399;E;R;F", Sample1001});
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_NE(run.output.find("\"status\":17"), std::string::npos);
  EXPECT_NE(serverSaid("Unsupported TRC Format!").find("Unsupported TRC Format!"),
            std::string::npos);
  EXPECT_TRUE(fs::is_empty(saves_));
}

TEST_F(ServerWithTracer, CrcMode_AnswersCarryCorrectCrcAndTheFileHasNoCrcLine) {
  startServer();
  // The simulator fails the exchange when a trace answer lacks a correct CRC record.
  const SimRun run = runSim({"--crc", "--zfmt", Sample1001});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("CRC="), std::string::npos);
  EXPECT_EQ(ReadBytes(saves_ / "1001"), ReadBytes(Sample1001));
}

TEST_F(ServerWithTracer, QuotedJob_IsAnsweredQuotedAndStoredUnderThePlainNumber) {
  startServer();
  const SimRun run = runSim({"--job", "5550", "--quote-job", Sample1001});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("JOB=\\\"5550\\\""), std::string::npos) << run.output;
  EXPECT_TRUE(fs::exists(saves_ / "5550"));
}

TEST_F(ServerWithTracer, UnsafeJobNumber_IsRefusedAndNothingIsWrittenAnywhere) {
  startServer();
  const SimRun run = runSim({"--job", "../escaped", Sample1001});
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_NE(run.output.find("\"status\":6"), std::string::npos) << run.output;
  EXPECT_NE(serverSaid("Invalid Job ID").find("Invalid Job ID: \"../escaped\""), std::string::npos);
  EXPECT_TRUE(fs::is_empty(saves_));
  EXPECT_FALSE(fs::exists(temp_.path() / "escaped"));
}

TEST_F(ServerWithTracer, BodyPauseBeyondSixSeconds_TimesOutWithStatus1) {
  startServer();
  const SimRun run = runSim({"--body-pause", "200:7500", Sample1001});
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_NE(run.output.find("\"status\":1,"), std::string::npos) << run.output;
  EXPECT_NE(serverSaid("OMA Tracer Timeout").find("OMA Tracer Timeout"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(saves_));
}

TEST_F(ServerWithTracer, BodyPauseUnderSixSeconds_IsReceivedWhole) {
  startServer();
  const SimRun run = runSim({"--body-pause", "200:1500", "--baud", "19200", Sample1001});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(ReadBytes(saves_ / "1001"), ReadBytes(Sample1001));
}

TEST_F(ServerWithTracer, RequestSplitByMoreThanAQuarterSecond_GetsNoAnswer) {
  startServer();
  const SimRun run = runSim({"--request-pause", "12:800", "--reply-timeout", "3000", Sample1001});
  EXPECT_EQ(run.exitCode, 3) << run.output;
  EXPECT_EQ(server_->output().find("OMA Tracer"), std::string::npos);
}

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
  const SimRun run = runSim({Sample1001});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(serverSaid("COM:3 Trace Received").find("COM:3 Trace Received: 1001"),
            std::string::npos);
  EXPECT_TRUE(fs::exists(saves_ / "1001"));
}

TEST_F(ServerWithTracer, Sigint_ClosesThePortAndExits0) {
  startServer();
  server_->sendSignal(SIGINT);
  EXPECT_EQ(server_->waitForExit(StartLimitMs), 0) << server_->errors();
  EXPECT_NE(server_->output().find("Port closed; stopped."), std::string::npos);
  server_.reset();
  // The line is free again: a new server opens it at once.
  startServer();
}

class ServerCommandLine : public ::testing::Test {
 protected:
  int run(const std::vector<std::string>& args, std::string& errors) {
    std::vector<std::string> argv{Program("lumora-trace-server")};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildProcess server(
        argv, {"XDG_CONFIG_HOME=" + (temp_ / "config"), "XDG_DATA_HOME=" + (temp_ / "data")});
    const int code = server.waitForExit(StartLimitMs).value_or(-1);
    errors = server.errors();
    return code;
  }
  TempFolder temp_;
};

TEST_F(ServerCommandLine, MissingDevice_IsNoUsablePortAndExit1) {
  std::string errors;
  EXPECT_EQ(
      run({"--headless", "--device", temp_ / "no-such-tty", "--save-dir", temp_ / "t"}, errors), 1);
  EXPECT_NE(errors.find("No usable port: "), std::string::npos) << errors;
}

TEST_F(ServerCommandLine, NoPortConfigured_IsNoUsablePortAndExit1) {
  std::string errors;
  EXPECT_EQ(run({"--headless", "--save-dir", temp_ / "t"}, errors), 1);
  EXPECT_NE(errors.find("No usable port: the setting Port is 0"), std::string::npos) << errors;
}

TEST_F(ServerCommandLine, BadArguments_AreRefusedWithUsageAndExit2) {
  std::string errors;
  EXPECT_EQ(run({"--speed", "abc", "--headless"}, errors), 2);
  EXPECT_NE(errors.find("usage: lumora-trace-server --headless"), std::string::npos) << errors;
  EXPECT_EQ(run({"--bogus"}, errors), 2);
  EXPECT_EQ(run({"--device", "/dev/ttyS0"}, errors), 2);  // link flags belong to --headless
}

}  // namespace
}  // namespace lumora::testing
