// The headless server's activity lines never wait for their reader.
#include "app/server/activity_output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace lumora {
namespace {

class ActivityOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(pipe2(ends_, O_NONBLOCK | O_CLOEXEC), 0);
    fcntl(ends_[1], F_SETPIPE_SZ, 4096);
  }
  void TearDown() override {
    for (int fd : ends_)
      if (fd >= 0) close(fd);
  }
  // Everything the pipe holds.
  std::string drain() {
    std::string bytes;
    char chunk[4096];
    for (ssize_t n; (n = read(ends_[0], chunk, sizeof chunk)) > 0;) bytes.append(chunk, static_cast<std::size_t>(n));
    return bytes;
  }
  void fill() {  // while the write end does not wait
    const std::string junk(512, 'j');
    while (write(ends_[1], junk.data(), junk.size()) > 0) {
    }
  }
  int ends_[2] = {-1, -1};
};

// Without the dropping, the first print here would wait for a reader for ever.
TEST_F(ActivityOutputTest, AFullPipeCostsLinesThatTheNextLineCounts) {
  ActivityOutput output(ends_[1]);
  output.print("first");
  fill();
  fcntl(ends_[1], F_SETFL, 0);  // as a standard output does, a write now waits for room
  output.print("lost 1");
  output.print("lost 2");
  drain();
  output.print("back");
  EXPECT_EQ(drain(), "(2 activity lines dropped: the output was not being read)\nback\n");
  output.print("next");
  EXPECT_EQ(drain(), "next\n");
}

// A reader that went away no longer ends the program; a line too long for one pipe write
// is cut to fit.
TEST_F(ActivityOutputTest, AClosedPipeIsSurvivedAndLongLinesAreCut) {
  ActivityOutput output(ends_[1]);
  output.print(std::string(10000, 'x'));
  EXPECT_EQ(drain(), std::string(4095, 'x') + "\n");
  close(ends_[0]);
  ends_[0] = -1;
  output.print("nobody reads this");
  SUCCEED() << "still running";
}

}  // namespace
}  // namespace lumora
