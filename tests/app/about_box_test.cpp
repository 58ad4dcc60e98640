#include <gtest/gtest.h>

#include "app/core/about_box.h"
#include "app/core/app_title.h"

namespace lumora {
namespace {

TEST(AboutBox, RevisionFollowsMinorWithoutSeparator) {
  EXPECT_EQ(VersionLine({2, 4, 7}), "Version 2.47");
  EXPECT_EQ(VersionLine({3, 0, 12}), "Version 3.012");
  EXPECT_EQ(VersionLine({1, 10, 0}), "Version 1.100");
}

TEST(AboutBox, TextHasVersionPortSettingsAndSavePath) {
  EXPECT_EQ(AboutText({2, 4, 7}, 3, "19200,N,8,1", "C:\\LumoraTraces"),
            "Version 2.47\n\nCOM:3  19200,N,8,1\n\nSave Path: C:\\LumoraTraces");
}

TEST(AboutBox, PortWithoutBlanksEvenWhenNoneConfigured) {
  EXPECT_EQ(AboutText({1, 0, 0}, 0, "9600,N,8,1", ""),
            "Version 1.00\n\nCOM:0  9600,N,8,1\n\nSave Path: ");
  EXPECT_EQ(AboutText({1, 0, 0}, 16, "", "/srv/traces"),
            "Version 1.00\n\nCOM:16  \n\nSave Path: /srv/traces");
}

TEST(AboutBox, ProgramVersionIsTheBuiltVersion) {
  const AppVersion built = ProgramVersion();
  EXPECT_EQ(VersionLine(built), "Version " + std::to_string(LUMORA_EXPECTED_MAJOR) + "." +
                                    std::to_string(LUMORA_EXPECTED_MINOR) +
                                    std::to_string(LUMORA_EXPECTED_REVISION));
}

TEST(AboutBox, WindowTitleIsTheApplicationTitle) {
  EXPECT_EQ(ApplicationTitle, "Lumora Corvane Trace Server");
}

}  // namespace
}  // namespace lumora
