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

bool startsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

TEST(SetupHelpText, FourStepsOnSingleLineFeedsNamingTheDefaultFolder) {
  HelpTexts help;
  help.BuildSetupHelpText("D:\\Elsewhere");
  const std::vector<std::string> lines = split(help.SetupHelpText, "\n");
  ASSERT_EQ(lines.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_TRUE(startsWith(lines[i], "Step " + std::to_string(i + 1) + ".  "));
  EXPECT_NE(lines[1].find("The default location of D:\\Elsewhere should always"), std::string::npos);
  EXPECT_EQ(help.SetupHelpText.find('\r'), std::string::npos);
  EXPECT_EQ(ProgramSetupHelpMessage("SETUP").rfind("This information is also available on the Program Setup Menu.\n\n", 0), 0u);
  EXPECT_TRUE(ProgramSetupHelpMessage("SETUP").ends_with(" menu.\n\nSETUP"));
}

// Each text: its heading, four line feeds, then numbered steps with an empty line between
// them. The settings named must match what the link expects of the tracer.
TEST(TracerInstructions, EachModelHeadingThenNumberedStepsWithItsLinkSettings) {
  struct Case {
    TracerModel model;
    const char* heading;
    std::size_t steps;
    const char* setting;
  };
  const Case cases[] = {
      {TracerModel::Orvid, "These instructions are for Orvid tracers", 6, "Host, 19,200, Send ZData"},
      {TracerModel::Tarsel, "These instructions are for Tarsel tracers equipped with v1.23 or newer", 8,
       "(PROTOCOL) until OMA+Z is highlighted"},
      {TracerModel::Pavane, "These instructions are for Pavane tracers", 6, "Host, 19,200, Send ZData"},
      {TracerModel::TarselOld, "These instructions are for Tarsel tracers equipped with v1.22 or older", 8,
       "(SEND Z DATA) so that YES is highlighted"}};
  HelpTexts help;  // one object: each model replaces the text of the one before
  for (const Case& c : cases) {
    SCOPED_TRACE(c.heading);
    help.BuildTracerInstructions(c.model);
    const std::vector<std::string> parts = split(help.TracerInstructionsText, "\n\n\n\n");
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_TRUE(startsWith(parts[0], c.heading));
    const std::vector<std::string> steps = split(parts[1], "\n\n");
    ASSERT_EQ(steps.size(), c.steps);
    for (std::size_t i = 0; i < steps.size(); ++i) EXPECT_TRUE(startsWith(steps[i], std::to_string(i + 1) + ".  "));
    EXPECT_NE(help.TracerInstructionsText.find(c.setting), std::string::npos);
  }
}

TEST(HelpTexts, DailyOperationAndMaintenanceAreParagraphsSeparatedByEmptyLines) {
  HelpTexts help;
  help.BuildDailyOperationText();
  help.BuildMaintenanceText();
  const std::vector<std::string> daily = split(help.DailyOperationText, "\n\n");
  ASSERT_EQ(daily.size(), 7u);  // a note, a sentence, five steps
  EXPECT_TRUE(startsWith(daily[0], "Note: "));
  EXPECT_TRUE(startsWith(daily[6], "5.  "));
  const std::vector<std::string> maintenance = split(help.MaintenanceText, "\n\n");
  ASSERT_EQ(maintenance.size(), 5u);  // a heading, four steps
  EXPECT_TRUE(startsWith(maintenance[4], "4. Click on OK"));
  EXPECT_TRUE(help.SetupHelpText.empty()) << "each builder leaves the other texts alone";
}

}  // namespace
}  // namespace lumora
