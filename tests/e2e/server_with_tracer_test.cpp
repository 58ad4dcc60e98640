// The headless server and the tracer simulator as real processes over a pseudo-terminal
// pair the test opens: the server opens the slave by its path, the simulator plays the
// tracer on the master it inherits.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
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
  void TearDown() override {
    if (server_) stopServer(SIGTERM);
  }
  void stopServer(int signal) {
    server_->sendSignal(signal);
    EXPECT_EQ(server_->waitForExit(kStartLimitMs), 0) << server_->errors();
    EXPECT_NE(server_->output().find("Port closed; stopped."), std::string::npos);
  }
  // The device and save folder come from `args`, or else from the settings store.
  void startServer(const Args& args) {
    Args argv{Program("lumora-trace-server"), "--headless"};
    argv.insert(argv.end(), args.begin(), args.end());
    server_ = std::make_unique<ChildProcess>(argv, environment(temp_));
    ASSERT_TRUE(serverSays("Listening on")) << server_->output() << server_->errors();
  }
  bool serverSays(std::string_view text) { return server_->waitForOutput(text, kStartLimitMs); }
  // Runs the simulator with `args`, expects its exit code (0 all stored, 1 refused) and a
  // JSON line holding `saw`.
  void runSim(const Args& args, int exitCode, const std::string& saw) {
    Args argv{Program("lumora-tracer-sim"), "--fd", std::to_string(pty_.master()), "--reply-timeout", "15000"};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildProcess sim(argv, {}, {pty_.master()});
    EXPECT_EQ(sim.waitForExit(kExchangeLimitMs), exitCode) << sim.output();
    EXPECT_NE(sim.output().find(saw), std::string::npos) << sim.output();
  }

  TempFolder temp_;
  fs::path saves_ = temp_.dir() / "traces";
  PtyPair pty_;
  std::unique_ptr<ChildProcess> server_;
};

// One server, its line named by the settings store, meets a tracer that uploads twice, each
// time with an init request first, CRC records (the simulator fails the exchange on an answer
// without a correct one) and a pause in the body short of the 6 s limit; then one of another
// brand, whose message nobody sees. Only the two stored traces reach the disk. SIGINT closes
// the port, so a new server, told its line and a save folder it cannot write on the command
// line, opens it at once, says so and answers status 2.
TEST_F(ServerWithTracer, UploadsEndAsTheTracerExpects) {
  fs::create_directories(saves_);
  fs::create_directories(temp_.dir() / "config");
  temp_.write("config/Lumora Corvane Trace Server.conf",
              "[Properties]\nPort=3\nDevice3=" + pty_.slavePath() + "\nSavePath=" + saves_.string() + "\nSpeed=9600\n");
  startServer({});
  EXPECT_TRUE(serverSays("Listening on " + pty_.slavePath() + " at 9600,N,8,1; traces are stored in " + saves_.string()));
  runSim({"--init", "--crc", "--zfmt", "--body-pause", "200:1500", kSample1001, kSample1002}, 0, "\"stored\":2");
  EXPECT_TRUE(serverSays("OMA Host Does Not Support Initialization"));
  EXPECT_TRUE(serverSays("COM:3 Trace Received: 1002\n")) << server_->output();
  runSim({"--vendor", "OTHERBRAND", kSample1001}, 1, "\"status\":17");
  EXPECT_TRUE(serverSays("Brand message (not shown): This tracer is a brand other than Corvane."));
  EXPECT_EQ(ReadBytes(saves_ / "1001"), ReadBytes(kSample1001));
  EXPECT_EQ(std::distance(fs::directory_iterator(saves_), {}), 2);

  stopServer(SIGINT);
  temp_.write("blocker", "a file, not a folder");
  const std::string blocked = temp_.file("blocker/traces").string();
  startServer({"--device", pty_.slavePath(), "--save-dir", blocked});
  EXPECT_TRUE(serverSays("; traces cannot be stored yet in " + blocked)) << server_->output();
  EXPECT_NE(server_->errors().find("Cannot create or write the save folder"), std::string::npos);
  runSim({kSample1001}, 1, "\"status\":2");
}

// A server that cannot listen says why and never exits 0.
TEST(ServerCommandLine, RefusalsNameTheProblemAndExitNonZero) {
  TempFolder temp;
  const std::string saves = temp.file("t").string();
  const struct { Args args; int exitCode; std::string error; } cases[] = {
      {{"--headless", "--device", temp.file("tty").string(), "--save-dir", saves}, 1,
       "No usable port: " + temp.file("tty").string() + ": no such device."},
      {{"--headless", "--save-dir", saves}, 1, "No usable port: the setting Port is 0"},
      {{"--headless", "--device", "/dev/null", "--save-dir", saves}, 1,
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
