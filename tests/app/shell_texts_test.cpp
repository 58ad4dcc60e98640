// The program's captions and the decision of the port-opening loop.
#include "app/core/shell_texts.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(Captions, RevisionFollowsTheMinorVersionWithoutSeparator) {
  EXPECT_EQ(mainWindowCaption({1, 11, 0}), "Corvane Lumora Trace Server v1.110");
  EXPECT_EQ(aboutText({2, 4, 7}, 3, "19200,N,8,1", "C:\\LumoraTraces"),
            "Version 2.47\n\nCOM:3  19200,N,8,1\n\nSave Path: C:\\LumoraTraces");
}

TEST(PortOpenLoop, AsksAboutAMissingPortNumberThenAboutAPortThatDidNotOpen) {
  for (int port : {0, -1, 17}) EXPECT_EQ(portOpenProblem(port, true), Problem{kNoComPort}) << port;
  for (int port : {1, 16}) EXPECT_EQ(portOpenProblem(port, false), Problem{kComPortNotOpened}) << port;
  EXPECT_FALSE(portOpenProblem(16, true));
}

}  // namespace
}  // namespace lumora
