// The program's captions, the about text and the answers read from the user.
#include <gtest/gtest.h>

#include "app/core/about_box.h"
#include "app/core/shell_texts.h"
#include "app/core/tracer_question.h"

namespace lumora {
namespace {

TEST(Captions, RevisionFollowsTheMinorVersionWithoutSeparator) {
  EXPECT_EQ(MainWindowCaption({1, 11, 0}), "Corvane Lumora Trace Server v1.110");
  EXPECT_EQ(VersionLine(ProgramVersion()), "Version " + std::to_string(LUMORA_EXPECTED_MAJOR) + "." +
                                               std::to_string(LUMORA_EXPECTED_MINOR) +
                                               std::to_string(LUMORA_EXPECTED_REVISION));
  EXPECT_EQ(AboutText({2, 4, 7}, 3, "19200,N,8,1", "C:\\LumoraTraces"),
            "Version 2.47\n\nCOM:3  19200,N,8,1\n\nSave Path: C:\\LumoraTraces");
}

TEST(PortOpenLoop, AsksAboutAMissingPortNumberThenAboutAPortThatDidNotOpen) {
  for (int port : {0, -1, 17}) EXPECT_EQ(PortOpenProblem(port, true), std::string(kNoComPort)) << port;
  for (int port : {1, 16}) EXPECT_EQ(PortOpenProblem(port, false), std::string(kComPortNotOpened)) << port;
  EXPECT_FALSE(PortOpenProblem(16, true));
}

TEST(TracerQuestion, AnswerIsReadByItsLeadingNumberOneToFour) {
  const std::pair<const char*, std::optional<TracerModel>> cases[] = {
      {"1", TracerModel::Orvid},       {"2abc", TracerModel::Pavane}, {" 3", TracerModel::Tarsel},
      {"4.0", TracerModel::TarselOld}, {"", std::nullopt} /* Cancel */, {"0", std::nullopt},
      {"5", std::nullopt},             {"2.5", std::nullopt},          {"Tarsel", std::nullopt}};
  for (const auto& [answer, model] : cases) EXPECT_EQ(TracerModelFromAnswer(answer), model) << answer;
  EXPECT_EQ(TracerInstructionsTitle(TracerModel::TarselOld), "Tarsel Instructions (Old Firmware)");
}

}  // namespace
}  // namespace lumora
