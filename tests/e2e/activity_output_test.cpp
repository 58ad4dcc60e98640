// The headless server's activity lines never wait for their reader.
#include "app/server/activity_output.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <csignal>
#include <future>

#include "read_until.h"

namespace lumora {
namespace {

class ActivityOutputTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(pipe2(ends_, O_CLOEXEC), 0); }
  void TearDown() override {
    for (int fd : ends_)
      if (fd >= 0) close(fd);
  }
  // Fills the pipe, so that the next write waits for a reader, as on a standard output.
  void fill() {
    fcntl(ends_[1], F_SETFL, O_NONBLOCK);
    const std::string junk(4096, 'j');
    while (write(ends_[1], junk.data(), junk.size()) > 0) {
    }
    fcntl(ends_[1], F_SETFL, 0);
  }
  std::string readUntil(const std::string& text) { return testing::ReadUntil(ends_[0], text, 10000); }

  int ends_[2] = {-1, -1};
};

// Without the queue the first print here would wait for a reader for ever. Lines beyond the
// queue are dropped, and the next line says how many; none is lost silently or half written.
TEST_F(ActivityOutputTest, ASlowReaderCostsCountedLinesNeverAWait) {
  ActivityOutput output(ends_[1]);
  fill();
  const std::size_t printed = ActivityOutput::kQueuedLines + 3;
  for (std::size_t i = 1; i <= printed; ++i) output.print("line " + std::to_string(i));
  std::string bytes = readUntil("line " + std::to_string(ActivityOutput::kQueuedLines) + "\n");
  output.print("after");  // the reader has caught up: there is room again
  bytes += readUntil("after\n");
  bytes.erase(0, bytes.find_first_not_of('j'));
  std::size_t written = 0;
  while (bytes.starts_with("line " + std::to_string(written + 1) + "\n")) bytes.erase(0, bytes.find('\n') + 1), ++written;
  EXPECT_GE(written, ActivityOutput::kQueuedLines);
  EXPECT_EQ(bytes,
            "(" + std::to_string(printed - written) + " activity lines dropped: the output could not take them)\nafter\n");
}

// A reader that went away no longer ends the program with SIGPIPE; an output that never
// drains holds up the end by a second, not for ever.
TEST_F(ActivityOutputTest, AClosedOrStuckOutputNeitherEndsNorHoldsUpTheProgram) {
  close(std::exchange(ends_[0], -1));
  std::signal(SIGPIPE, SIG_DFL);  // as a program starts
  ActivityOutput(ends_[1]).print("nobody reads this");
  EXPECT_EQ(std::signal(SIGPIPE, SIG_IGN), SIG_IGN);
  close(ends_[1]);
  ASSERT_EQ(pipe2(ends_, O_CLOEXEC), 0);
  fill();
  auto output = std::make_unique<ActivityOutput>(ends_[1]);
  output->print("stuck");
  auto ending = std::async(std::launch::async, [&output] { output.reset(); });
  EXPECT_EQ(ending.wait_for(std::chrono::seconds(30)), std::future_status::ready);
}

}  // namespace
}  // namespace lumora
