#include "app/core/shell_texts.h"

#include <gtest/gtest.h>

namespace lumora {

TEST(MainWindowCaption, RevisionFollowsTheMinorVersionDirectly) {
  EXPECT_EQ(MainWindowCaption({1, 11, 0}), "Corvane Lumora Trace Server v1.110");
}

TEST(PortOpenLoop, AsksAboutAMissingPortNumberThenAboutAPortThatDidNotOpen) {
  for (int port : {0, -1, 17}) EXPECT_EQ(PortOpenProblem(port, true), std::string(kNoComPort)) << port;
  for (int port : {1, 16}) EXPECT_EQ(PortOpenProblem(port, false), std::string(kComPortNotOpened)) << port;
  EXPECT_FALSE(PortOpenProblem(16, true));
}

}  // namespace lumora
