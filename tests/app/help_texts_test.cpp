#include "app/core/help_texts.h"

#include <gtest/gtest.h>

#include "app/core/tracer_question.h"

namespace lumora {

// Each text: its heading, four line feeds, then the numbered steps with an empty line between
// them, one of which names the setting the link expects of the tracer.
TEST(TracerInstructions, EachModelHeadingThenNumberedStepsWithItsLinkSettings) {
  const std::tuple<const char*, TracerModel, int, const char*> cases[] = {
      {"Orvid", TracerModel::Orvid, 6, "Host, 19,200, Send ZData"},
      {"Tarsel tracers equipped with v1.23", TracerModel::Tarsel, 8, "(PROTOCOL) until OMA+Z is highlighted"},
      {"Pavane", TracerModel::Pavane, 6, "Host, 19,200, Send ZData"},
      {"Tarsel tracers equipped with v1.22", TracerModel::TarselOld, 8, "(SEND Z DATA) so that YES is highlighted"}};
  HelpTexts help;  // one object: each model replaces the text of the one before
  for (const auto& [heading, model, steps, setting] : cases) {
    help.buildTracerInstructions(model);
    const std::string& text = help.tracerInstructions;
    EXPECT_TRUE(text.starts_with(std::string("These instructions are for ") + heading)) << heading;
    int step = 0;
    for (std::size_t at = text.find("\n\n\n\n"); at != std::string::npos; at = text.find("\n\n", at)) {
      at += step == 0 ? 4 : 2;
      ++step;
      EXPECT_EQ(text.compare(at, 4, std::to_string(step) + ".  "), 0) << heading << " step " << step;
    }
    EXPECT_EQ(step, steps) << heading;
    EXPECT_NE(text.find(setting), std::string::npos) << heading;
  }
}

TEST(TracerQuestion, AnswerIsReadByItsLeadingNumberOneToFour) {
  const std::pair<const char*, std::optional<TracerModel>> cases[] = {
      {"1", TracerModel::Orvid},       {"2abc", TracerModel::Pavane}, {" 3", TracerModel::Tarsel},
      {"4.0", TracerModel::TarselOld}, {"", std::nullopt} /* Cancel */, {"0", std::nullopt},
      {"5", std::nullopt},             {"2.5", std::nullopt},          {"Tarsel", std::nullopt}};
  for (const auto& [answer, model] : cases) EXPECT_EQ(tracerModelFromAnswer(answer), model) << answer;
}

}  // namespace lumora
