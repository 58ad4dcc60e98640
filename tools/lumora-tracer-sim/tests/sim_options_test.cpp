#include "core/sim_options.h"

#include <gtest/gtest.h>

namespace lumora::sim {
namespace {

std::optional<SimOptions> parse(std::vector<std::string> args, std::string& error) {
  return ParseSimOptions(args, error);
}

TEST(SimOptions, DefaultsOfferOneFormatAndTakeTheJobFromTheFile) {
  std::string error;
  const auto o = parse({"--pty", "samples/1001"}, error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->request.formats, std::vector<std::string>{"1;400;E;R;F"});
  EXPECT_EQ(o->request.vendor, "CORVANE");
  EXPECT_TRUE(o->request.job.empty());
  EXPECT_EQ(o->repeat, 1);
}

TEST(SimOptions, GivenFormatsReplaceTheDefaultAndPausesParse) {
  std::string error;
  const auto o = parse({"--fd", "5", "--format", "1;399;E;R;F", "--format", "2;400;E;L;F",
                        "--body-pause", "100:7000", "--job", "\"9\"", "f"},
                       error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->request.formats, (std::vector<std::string>{"1;399;E;R;F", "2;400;E;L;F"}));
  ASSERT_TRUE(o->bodyPause);
  EXPECT_EQ(o->bodyPause->afterBytes, 100u);
  EXPECT_EQ(o->bodyPause->millis, 7000);
  EXPECT_EQ(o->fd, 5);
}

TEST(SimOptions, BadUsageIsRefusedWithAReason) {
  std::string error;
  EXPECT_FALSE(parse({"f"}, error));  // no line
  EXPECT_NE(error.find("--device"), std::string::npos);
  error.clear();
  EXPECT_FALSE(parse({"--pty", "--device", "/dev/x", "f"}, error));
  error.clear();
  EXPECT_FALSE(parse({"--pty"}, error));  // no file
  error.clear();
  EXPECT_FALSE(parse({"--pty", "--repeat", "0", "f"}, error));
  error.clear();
  EXPECT_FALSE(parse({"--pty", "--body-pause", "12", "f"}, error));
  error.clear();
  EXPECT_FALSE(parse({"--pty", "--bogus", "f"}, error));
}

}  // namespace
}  // namespace lumora::sim
