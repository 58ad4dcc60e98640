#include "app/core/shell_texts.h"

#include <gtest/gtest.h>

namespace lumora {

TEST(MainWindowCaption, RevisionFollowsTheMinorVersionDirectly) {
  EXPECT_EQ(MainWindowCaption({1, 11, 0}), "Corvane Lumora Trace Server v1.110");
  EXPECT_EQ(MainWindowCaption({2, 4, 7}), "Corvane Lumora Trace Server v2.47");
}

TEST(PortOpenLoop, AsksAboutAPortNumberOutsideOneToSixteen) {
  for (int port : {0, -1, 17, 255}) EXPECT_EQ(PortOpenProblem(port, false), std::string(kNoComPort)) << port;
  EXPECT_EQ(PortOpenProblem(0, true), std::string(kNoComPort));
}

TEST(PortOpenLoop, AsksAboutAPortThatDidNotOpen) {
  EXPECT_EQ(PortOpenProblem(1, false), std::string(kComPortNotOpened));
  EXPECT_EQ(PortOpenProblem(16, false), std::string(kComPortNotOpened));
  EXPECT_FALSE(PortOpenProblem(16, true));
}

}  // namespace lumora
