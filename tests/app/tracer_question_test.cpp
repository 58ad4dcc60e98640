#include <gtest/gtest.h>

#include "app/core/tracer_question.h"

namespace lumora {
namespace {

TEST(TracerQuestion, AnswerIsReadByItsLeadingNumberOneToFour) {
  const std::pair<const char*, std::optional<TracerModel>> cases[] = {
      {"1", TracerModel::Orvid},      {"2", TracerModel::Pavane},     {"3", TracerModel::Tarsel},
      {"4", TracerModel::TarselOld},  {"2abc", TracerModel::Pavane},  {" 3", TracerModel::Tarsel},
      {"4.0", TracerModel::TarselOld}, {"", std::nullopt} /* Cancel */, {"0", std::nullopt},
      {"5", std::nullopt},            {"2.5", std::nullopt},          {"-1", std::nullopt},
      {"Tarsel", std::nullopt}};
  for (const auto& [answer, model] : cases) EXPECT_EQ(TracerModelFromAnswer(answer), model) << answer;
}

TEST(TracerQuestion, EachModelHasItsMessageTitle) {
  EXPECT_EQ(TracerInstructionsTitle(TracerModel::Orvid), "Orvid Instructions");
  EXPECT_EQ(TracerInstructionsTitle(TracerModel::Pavane), "Pavane Instructions");
  EXPECT_EQ(TracerInstructionsTitle(TracerModel::Tarsel), "Tarsel Instructions");
  EXPECT_EQ(TracerInstructionsTitle(TracerModel::TarselOld), "Tarsel Instructions (Old Firmware)");
}

}  // namespace
}  // namespace lumora
