#include <gtest/gtest.h>

#include "app/core/tracer_question.h"

namespace lumora {
namespace {

TEST(TracerQuestion, TitleAndPromptListTheFourModels) {
  EXPECT_EQ(TracerQuestionTitle, "Select Tracer Type");
  EXPECT_EQ(TracerQuestionPrompt,
            "1. Corvane Orvid Tracer\n2. Corvane Pavane Tracer\n"
            "3. Corvane Tarsel (v1.23 Firmware or newer)\n"
            "4. Corvane Tarsel (v1.22 Firmware or older)\n");
}

TEST(TracerQuestion, AnswersOneToFourChooseTheListedModels) {
  EXPECT_EQ(TracerModelFromAnswer("1"), TracerModel::Orvid);
  EXPECT_EQ(TracerModelFromAnswer("2"), TracerModel::Pavane);
  EXPECT_EQ(TracerModelFromAnswer("3"), TracerModel::Tarsel);
  EXPECT_EQ(TracerModelFromAnswer("4"), TracerModel::TarselOld);
}

TEST(TracerQuestion, AnswerIsReadByItsLeadingNumber) {
  EXPECT_EQ(TracerModelFromAnswer("2abc"), TracerModel::Pavane);
  EXPECT_EQ(TracerModelFromAnswer(" 3"), TracerModel::Tarsel);
  EXPECT_EQ(TracerModelFromAnswer("4.0"), TracerModel::TarselOld);
}

TEST(TracerQuestion, CancelAndOtherNumbersChooseNothing) {
  EXPECT_EQ(TracerModelFromAnswer(""), std::nullopt);  // Cancel
  EXPECT_EQ(TracerModelFromAnswer("0"), std::nullopt);
  EXPECT_EQ(TracerModelFromAnswer("5"), std::nullopt);
  EXPECT_EQ(TracerModelFromAnswer("2.5"), std::nullopt);
  EXPECT_EQ(TracerModelFromAnswer("-1"), std::nullopt);
  EXPECT_EQ(TracerModelFromAnswer("Tarsel"), std::nullopt);
}

TEST(TracerQuestion, EachModelHasItsMessageTitle) {
  EXPECT_EQ(TracerInstructionsTitle(TracerModel::Orvid), "Orvid Instructions");
  EXPECT_EQ(TracerInstructionsTitle(TracerModel::Pavane), "Pavane Instructions");
  EXPECT_EQ(TracerInstructionsTitle(TracerModel::Tarsel), "Tarsel Instructions");
  EXPECT_EQ(TracerInstructionsTitle(TracerModel::TarselOld),
            "Tarsel Instructions (Old Firmware)");
}

TEST(TracerQuestion, AnswerThreeShowsNewFirmwareHeadingThenFourLineFeedsThenStep1) {
  HelpTexts help;
  const auto model = TracerModelFromAnswer("3");
  ASSERT_TRUE(model.has_value());
  help.BuildTracerInstructions(*model);
  const std::string start =
      "These instructions are for Tarsel tracers equipped with v1.23 or newer firmware. Please "
      "read the Tarsel Tracer Manual before operating the unit.\n\n\n\n1.  Turn the Tarsel";
  EXPECT_EQ(help.TracerInstructionsText.rfind(start, 0), 0u);
  EXPECT_EQ(TracerInstructionsTitle(*model), "Tarsel Instructions");
}

}  // namespace
}  // namespace lumora
