#include <gtest/gtest.h>

#include "app/core/about_box.h"

namespace lumora {
namespace {

TEST(AboutBox, RevisionFollowsTheMinorVersionWithoutSeparator) {
  EXPECT_EQ(VersionLine({3, 0, 12}), "Version 3.012");
  EXPECT_EQ(VersionLine({1, 10, 0}), "Version 1.100");
  EXPECT_EQ(VersionLine(ProgramVersion()), "Version " + std::to_string(LUMORA_EXPECTED_MAJOR) + "." +
                                               std::to_string(LUMORA_EXPECTED_MINOR) +
                                               std::to_string(LUMORA_EXPECTED_REVISION));
}

TEST(AboutBox, TextHasVersionPortWithoutBlanksSettingsAndSavePath) {
  EXPECT_EQ(AboutText({2, 4, 7}, 3, "19200,N,8,1", "C:\\LumoraTraces"),
            "Version 2.47\n\nCOM:3  19200,N,8,1\n\nSave Path: C:\\LumoraTraces");
  EXPECT_EQ(AboutText({1, 0, 0}, 0, "", ""), "Version 1.00\n\nCOM:0  \n\nSave Path: ");
}

}  // namespace
}  // namespace lumora
