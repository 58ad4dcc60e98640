#include "app/core/help_texts.h"

#include <gtest/gtest.h>

#include "app/core/tracer_question.h"

namespace lumora {

TEST(TracerQuestion, AnswerIsReadByItsLeadingNumberOneToFour) {
  const std::pair<const char*, std::optional<TracerModel>> cases[] = {
      {"1", TracerModel::Orvid},       {"2abc", TracerModel::Pavane}, {" 3", TracerModel::Tarsel},
      {"4.0", TracerModel::TarselOld}, {"", std::nullopt} /* Cancel */, {"0", std::nullopt},
      {"5", std::nullopt},             {"2.5", std::nullopt},          {"Tarsel", std::nullopt}};
  for (const auto& [answer, model] : cases) EXPECT_EQ(tracerModelFromAnswer(answer), model) << answer;
}

}  // namespace lumora
