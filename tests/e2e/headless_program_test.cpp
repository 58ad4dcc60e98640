// lumora-trace-serverd, the headless program without display libraries, as a real process on
// a pseudo-terminal with the tracer simulator on the master side.
#include <gtest/gtest.h>

#include <csignal>

#include "child_process.h"
#include "e2e_paths.h"
#include "pty_pair.h"

namespace lumora::testing {
namespace {

constexpr int kLimitMs = 60000;  // generous: the machine may be loaded

// It runs the same link as lumora-trace-server --headless: an upload is stored and answered,
// and SIGTERM closes the port and ends it with 0.
TEST(HeadlessProgram, StoresAnUploadAndStopsCleanly) {
  TempFolder temp;
  PtyPair pty;
  const std::string sample = std::string(LUMORA_SAMPLES) + "/1001";
  const auto saves = temp.dir() / "traces";
  ChildProcess server({Program("lumora-trace-serverd"), "--device", pty.slavePath(), "--save-dir", saves.string()},
                      {"XDG_CONFIG_HOME=" + temp.file("config").string()});
  ASSERT_TRUE(server.waitForOutput("Listening on " + pty.slavePath(), kLimitMs)) << server.errors();
  ChildProcess sim({Program("lumora-tracer-sim"), "--fd", std::to_string(pty.master()), sample}, {}, {pty.master()});
  EXPECT_EQ(sim.waitForExit(kLimitMs), 0) << sim.output();
  EXPECT_EQ(ReadBytes(saves / "1001"), ReadBytes(sample));
  server.sendSignal(SIGTERM);
  EXPECT_EQ(server.waitForExit(kLimitMs), 0) << server.errors();
  EXPECT_NE(server.output().find("Port closed; stopped."), std::string::npos);
}

}  // namespace
}  // namespace lumora::testing
