#include "core/sim_options.h"

#include <gtest/gtest.h>

namespace lumora::sim {
namespace {

using Texts = std::vector<std::string>;

// Options the end-to-end tests rely on: a pause that did not parse would let them pass
// without the pause they mean to test.
TEST(SimOptions, GivenFormatsReplaceTheDefaultAndPausesParse) {
  std::string error;
  const auto o = ParseSimOptions({"--fd", "5", "--format", "1;399;E;R;F", "--format",
                                  "2;400;E;L;F", "--body-pause", "100:7000", "f"},
                                 error);
  ASSERT_TRUE(o && o->bodyPause) << error;
  EXPECT_EQ(std::tie(o->request.formats, o->bodyPause->afterBytes, o->bodyPause->millis, o->fd),
            std::make_tuple(Texts{"1;399;E;R;F", "2;400;E;L;F"}, 100u, 7000, 5));
}

}  // namespace
}  // namespace lumora::sim
