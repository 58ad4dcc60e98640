#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/help_texts.h"

namespace lumora {
namespace {

std::vector<std::string> split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + separator.size()) {
    parts.push_back(text.substr(from, at - from));
  }
  parts.push_back(text.substr(from));
  return parts;
}

// Each text: its heading, four line feeds, then numbered steps with an empty line between
// them. The settings named must match what the link expects of the tracer.
TEST(TracerInstructions, EachModelHeadingThenNumberedStepsWithItsLinkSettings) {
  const struct {
    TracerModel model;
    const char* heading;
    std::size_t steps;
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
    help.BuildTracerInstructions(c.model);
    const std::vector<std::string> parts = split(help.TracerInstructionsText, "\n\n\n\n");
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].rfind(c.heading, 0), 0u);
    const std::vector<std::string> steps = split(parts[1], "\n\n");
    EXPECT_EQ(steps.size(), c.steps);
    for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(steps[i].rfind(std::to_string(i + 1) + ".  ", 0), 0u);
    EXPECT_NE(help.TracerInstructionsText.find(c.setting), std::string::npos);
  }
}

}  // namespace
}  // namespace lumora
