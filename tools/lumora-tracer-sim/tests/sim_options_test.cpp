#include "core/sim_options.h"

#include <gtest/gtest.h>

namespace lumora::sim {
namespace {

using Texts = std::vector<std::string>;

TEST(SimOptions, DefaultsOfferOneFormatAndTakeTheJobFromTheFile) {
  std::string error;
  const auto o = ParseSimOptions({"--pty", "samples/1001"}, error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(std::tie(o->request.formats, o->request.vendor, o->request.job, o->repeat),
            std::make_tuple(Texts{"1;400;E;R;F"}, "CORVANE", "", 1));
}

TEST(SimOptions, GivenFormatsReplaceTheDefaultAndPausesParse) {
  std::string error;
  const auto o = ParseSimOptions({"--fd", "5", "--format", "1;399;E;R;F", "--format",
                                  "2;400;E;L;F", "--body-pause", "100:7000", "f"},
                                 error);
  ASSERT_TRUE(o && o->bodyPause) << error;
  EXPECT_EQ(std::tie(o->request.formats, o->bodyPause->afterBytes, o->bodyPause->millis, o->fd),
            std::make_tuple(Texts{"1;399;E;R;F", "2;400;E;L;F"}, 100u, 7000, 5));
}

TEST(SimOptions, BadUsageIsRefusedWithAReason) {
  for (const Texts& args : {Texts{"f"}, Texts{"--pty", "--device", "/dev/x", "f"}, Texts{"--pty"},
                            Texts{"--pty", "--repeat", "0", "f"},
                            Texts{"--pty", "--body-pause", "12", "f"},
                            Texts{"--pty", "--bogus", "f"}}) {
    std::string error;
    EXPECT_FALSE(ParseSimOptions(args, error)) << ::testing::PrintToString(args);
    EXPECT_NE(error, "");
  }
}

}  // namespace
}  // namespace lumora::sim
