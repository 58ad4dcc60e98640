// The headless server and the tracer simulator as real processes over a pseudo-terminal
// pair the test opens: the server opens the slave by its path, the simulator plays the
// tracer on the master it inherits.
#include <gtest/gtest.h>

#include <algorithm>

#include "server_fixture.h"

namespace lumora::testing {
namespace {

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
