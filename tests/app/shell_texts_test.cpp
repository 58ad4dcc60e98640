#include "app/core/shell_texts.h"

#include <gtest/gtest.h>

// The port-opening loop's messages are met by the main window's tests.
TEST(Captions, RevisionFollowsTheMinorVersionWithoutSeparator) {
  EXPECT_EQ(lumora::mainWindowCaption({1, 11, 0}), "Corvane Lumora Trace Server v1.110");
  EXPECT_EQ(lumora::aboutText({2, 4, 7}, 3, "19200,N,8,1", "C:\\LumoraTraces"),
            "Version 2.47\n\nCOM:3  19200,N,8,1\n\nSave Path: C:\\LumoraTraces");
}

// A lost port is named with its device where the device is not COMn; the tip keeps the
// product name first.
TEST(PortLost, NamesThePortAndADeviceNotNamedAfterIt) {
  EXPECT_EQ(lumora::portLostStatus(3, "/dev/ttyUSB0"),
            "Port Lost: COM3 (/dev/ttyUSB0)\nIt is tried again until it returns...");
  EXPECT_EQ(lumora::portLostTip(3, "COM3"), "Corvane Lumora Trace Server\nPort Lost: COM3, retrying");
}
