#include "app/core/shell_texts.h"

#include <gtest/gtest.h>

// The port-opening loop's messages are met by the main window's tests.
TEST(Captions, RevisionFollowsTheMinorVersionWithoutSeparator) {
  EXPECT_EQ(lumora::mainWindowCaption({1, 11, 0}), "Corvane Lumora Trace Server v1.110");
  EXPECT_EQ(lumora::aboutText({2, 4, 7}, 3, "19200,N,8,1", "C:\\LumoraTraces"),
            "Version 2.47\n\nCOM:3  19200,N,8,1\n\nSave Path: C:\\LumoraTraces");
}
