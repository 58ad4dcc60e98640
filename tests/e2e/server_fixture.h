// The fixture of the server's end-to-end tests: the headless server and the tracer simulator
// as real processes over a pseudo-terminal pair the test opens. The server opens the slave
// by its path; the simulator (or the test) plays the tracer on the master.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

#include "child_process.h"
#include "e2e_paths.h"
#include "pty_pair.h"

namespace lumora::testing {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// Generous limits: the machine may be loaded; nothing here measures speed.
inline constexpr int kStartLimitMs = 20000;
inline constexpr int kExchangeLimitMs = 60000;
inline const std::string kSample1001 = std::string(LUMORA_SAMPLES) + "/1001";
inline const std::string kSample1002 = std::string(LUMORA_SAMPLES) + "/1002";

// The server's environment: its settings and data in `temp`.
inline Args environment(const TempFolder& temp) {
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
  // The device and save folder come from `args`, or else from the settings store. `before`
  // runs it (a shell that sets a limit first).
  void startServer(const Args& args, const Args& before = {}) {
    Args argv = before;
    argv.insert(argv.end(), {Program("lumora-trace-server"), "--headless"});
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

}  // namespace lumora::testing
