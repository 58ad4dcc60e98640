#include "app/core/help_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "app/core/tracer_question.h"

namespace lumora {
namespace {

// Each text: its heading, four line feeds, then numbered steps with an empty line between
// them. The settings named must match what the link expects of the tracer.
TEST(TracerInstructions, EachModelHeadingThenNumberedStepsWithItsLinkSettings) {
  const struct {
    TracerModel model;
    const char* heading;
    int steps;
    const char* setting;
  } cases[] = {
      {TracerModel::Orvid, "These instructions are for Orvid tracers", 6, "Host, 19,200, Send ZData"},
      {TracerModel::Tarsel, "These instructions are for Tarsel tracers equipped with v1.23 or newer", 8,
       "(PROTOCOL) until OMA+Z is highlighted"},
      {TracerModel::Pavane, "These instructions are for Pavane tracers", 6, "Host, 19,200, Send ZData"},
      {TracerModel::TarselOld, "These instructions are for Tarsel tracers equipped with v1.22 or older", 8,
       "(SEND Z DATA) so that YES is highlighted"}};
  HelpTexts help;  // one object: each model replaces the text of the one before
  for (const auto& c : cases) {
    SCOPED_TRACE(c.heading);
    help.buildTracerInstructions(c.model);
    const std::string& text = help.tracerInstructions;
    EXPECT_EQ(text.rfind(c.heading, 0), 0u);
    int steps = 0;
    for (std::size_t at = text.find("\n\n\n\n"); at != std::string::npos; at = text.find("\n\n", at)) {
      at += steps == 0 ? 4 : 2;
      ++steps;
      EXPECT_EQ(text.compare(at, 4, std::to_string(steps) + ".  "), 0) << "step " << steps;
    }
    EXPECT_EQ(steps, c.steps);
    EXPECT_NE(text.find(c.setting), std::string::npos);
  }
}

TEST(TracerQuestion, AnswerIsReadByItsLeadingNumberOneToFour) {
  const std::pair<const char*, std::optional<TracerModel>> cases[] = {
      {"1", TracerModel::Orvid},       {"2abc", TracerModel::Pavane}, {" 3", TracerModel::Tarsel},
      {"4.0", TracerModel::TarselOld}, {"", std::nullopt} /* Cancel */, {"0", std::nullopt},
      {"5", std::nullopt},             {"2.5", std::nullopt},          {"Tarsel", std::nullopt}};
  for (const auto& [answer, model] : cases) EXPECT_EQ(tracerModelFromAnswer(answer), model) << answer;
}

}  // namespace
}  // namespace lumora
