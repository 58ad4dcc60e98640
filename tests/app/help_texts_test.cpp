#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "app/core/help_texts.h"

namespace lumora {
namespace {

// The texts as the program must show them, step by step.
constexpr const char* SetupStep1Port =
    "Step 1.  Click on the checkbox for the port you plan to connect to your tracer. "
    "Only ports marked as (Available) may be used.  ";

constexpr const char* SetupStep1Speed =
    "Enter 19200 for the port speed if your Tarsel contains v1.23 or newer firmware. "
    "Enter 9600 for the port speed if your Tarsel contains v1.22 or older firmware.";

constexpr const char* SetupStep2Start =
    "Step 2.  The default location of ";

constexpr const char* SetupStep2End =
    " should always be used with Lumora, but you can select a different location if "
    "desired by clicking on the small directory selection button.";

constexpr const char* SetupStep3 =
    "Step 3.  Options that effect the behavior of this program are found in this "
    "section. Do not change these settings unless instructed to do so by a service "
    "technician.";

constexpr const char* SetupStep4 =
    "Step 4.  Click on each of the buttons in the Help Section for instructions on "
    "Tracer Setup, Daily Operation, and Maintenance.";

constexpr const char* TarselHeading =
    "These instructions are for Tarsel tracers equipped with v1.23 or newer firmware. "
    "Please read the Tarsel Tracer Manual before operating the unit.";

constexpr const char* TarselStep1 =
    "1.  Turn the Tarsel power switch (left rear of unit) OFF.  Wait 5 seconds then turn "
    "the power ON.  The Tarsel will display its Power-on Screen for 3 seconds.  During "
    "this interval, press the 1 key and reply to the prompt by pressing the softkey "
    "labeled YES.";

constexpr const char* TarselStep2 =
    "2.  When the Trace Screen is displayed, press the softkey labeled MENU.  If no such "
    "softkey is displayed, press the EXIT key.";

constexpr const char* TarselStep3 =
    "3.  When the Main Menu is displayed, press 3 to access the SETUP subsystem.  When "
    "the Setup Menu Screen is displayed, press 2 to access the Communication Setup "
    "Screen.";

constexpr const char* TarselStep4 =
    "4.  If your Tarsel is equipped with Arcnet, press the Arcnet communication softkey "
    "until NONE is highlighted.";

constexpr const char* TarselStep5 =
    "5.  Press the second softkey (SERIAL TO) until HOST is highlighted.";

constexpr const char* TarselStep6 =
    "6.  Press the third softkey (PROTOCOL) until OMA+Z is highlighted.";

constexpr const char* TarselStep7 =
    "7.  Press the fourth softkey (COM1 KBAUD) until 19.2 is highlighted.";

constexpr const char* TarselStep8 =
    "8.  Press the ENTER key.  This will return you to the Setup Menu Screen. If you "
    "made any changes, press the SAVE softkey.  When the SAVE softkey disappears, press "
    "the HOME softkey to return to the Trace Screen.";

constexpr const char* TarselOldHeading =
    "These instructions are for Tarsel tracers equipped with v1.22 or older firmware. "
    "Please read the Tarsel Tracer Manual before operating the unit.";

constexpr const char* TarselOldStep1 =
    "1.  Turn the Tarsel power switch (left rear of unit) OFF.  Wait 5 seconds then turn "
    "the power .";

constexpr const char* TarselOldStep4 =
    "4.  Press the Arcnet communication softkey until NONE is highlighted.";

constexpr const char* TarselOldStep5 =
    "5.  Press the second softkey (SERIAL CONNECTION) until HOST is highlighted.";

constexpr const char* TarselOldStep6 =
    "6.  Press the third softkey (PROTOCOL) until OMA is highlighted.";

constexpr const char* TarselOldStep7 =
    "7.  Press the fourth sofkey (SEND Z DATA) so that YES is highlighted.";

constexpr const char* PavaneHeading =
    "These instructions are for Pavane tracers equipped with the latest firmware. Please "
    "read the Pavane Tracer Manual before operating the unit.";

constexpr const char* PavaneStep1 =
    "1.  Turn the Pavane power switch (left rear of unit) OFF.  Wait 5 seconds then turn "
    "the power .";

constexpr const char* PavaneStep2 =
    "2.  When the Trace Screen is displayed, press the on-screen Setup button.";

constexpr const char* PavaneStep3 =
    "3.  When the Setup Menu is displayed, press the Interface button.";

constexpr const char* PavaneStep4 =
    "4.  In the COM 1 section make sure that only the following items are selected: "
    "Host, 19,200, Send ZData, 400 and 800.";

constexpr const char* PavaneStep5 =
    "5.  The serial cable should be connected to the lower serial port on the rear of "
    "the tracer.";

constexpr const char* PavaneStep6 =
    "6.  Press the Job button.  This will return you to the trace screen.";

constexpr const char* OrvidHeading =
    "These instructions are for Orvid tracers equipped with the latest firmware. Please "
    "read the Orvid Tracer Manual before operating the unit.";

constexpr const char* OrvidStep1 =
    "1.  Turn the Orvid power switch (left rear of unit) OFF.  Wait 5 seconds then turn "
    "the power .";

constexpr const char* DailyNote =
    "Note: The Lumora Corvane Trace Server normally runs as an invisible background "
    "task. Traces can be automatically saved without any operator interaction at the "
    "computer. You may make the program visible at any time by clicking on the small "
    "blue Corvane icon on the bottom right area of the Windows taskbar.";

constexpr const char* DailySentence =
    "The program and tracer must already be configured before you can actually use this "
    "program with the Lumora ordering system.";

constexpr const char* DailyStep1 =
    "1.  You may trace frames any time this program is running. The traces will be saved "
    "to the default save directory.";

constexpr const char* DailyStep2 =
    "2.  Access the Lumora web site and log onto their system according to the "
    "instructions provided by Lumora.";

constexpr const char* DailyStep3 =
    "3.  At some point during the process of creating a new Lumora order, you will be "
    "asked if you want to include a trace with the order. If you want to include a trace "
    "with the order, you may use an existing trace or you can trace the frame now before "
    "going on to the next step.";

constexpr const char* DailyStep4 =
    "4.  If you indicated to the Lumora system that you want to include a trace with the "
    "order, Lumora will present you with a browse windows so you can select the trace "
    "you want to include with the order. Browse to the location where your traces are "
    "saved and select the desired trace and click on OK.";

constexpr const char* DailyStep5 =
    "5.  The selected trace will be transmitted via the web to Lumora and then you can "
    "continue completing the rest of the order.";

constexpr const char* MaintenanceHeading =
    "Occasionally, old traces should be purged from your system to prevent the hard "
    "drive from eventually filling up.  Please observe the following steps to perform "
    "the purge operation:";

constexpr const char* MaintenanceStep1 =
    "1. Access the Trace Server program by left clicking on the small blue Corvane icon "
    "on the Windows taskbar. The main program menu will appear.";

constexpr const char* MaintenanceStep2 =
    "2. Click on the File heading on the top menu bar and then click on Trace "
    "Maintenance.  The Trace Maintenance menu will appear.";

constexpr const char* MaintenanceStep3 =
    "3. From this menu select the traces you want to delete. The Select All button will "
    "select every trace all at once. When the desired traces have been selected, click "
    "on the Delete button to clear the traces from your system.";

constexpr const char* MaintenanceStep4 =
    "4. Click on OK to return to the main program menu.";

std::string joined(std::initializer_list<const char*> parts, const char* separator) {
  std::string text;
  for (const char* part : parts) {
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

TEST(SetupHelpText, FourStepsOnSingleLineFeeds) {
  HelpTexts help;
  help.BuildSetupHelpText("C:\\LumoraTraces");
  const std::string expected = std::string(SetupStep1Port) + SetupStep1Speed + "\n" +
                               SetupStep2Start + "C:\\LumoraTraces" + SetupStep2End + "\n" +
                               SetupStep3 + "\n" + SetupStep4;
  EXPECT_EQ(help.SetupHelpText, expected);
  EXPECT_EQ(help.SetupHelpText.find('\r'), std::string::npos);
}

TEST(SetupHelpText, NamesTheDefaultFolderItWasBuiltWith) {
  HelpTexts help;
  help.BuildSetupHelpText("D:\\Elsewhere");
  EXPECT_NE(help.SetupHelpText.find("The default location of D:\\Elsewhere should always"),
            std::string::npos);
  EXPECT_EQ(help.SetupHelpText.find("LumoraTraces"), std::string::npos);
}

TEST(ProgramSetupHelpMessage, IntroductionThenSetupHelp) {
  const std::string expected =
      "This information is also available on the Program Setup Menu.\n\n"
      "You can access the Program Setup Menu by clicking on the File heading on the top menu "
      "bar and selecting Setup from the drop-down menu. The following steps should be taken "
      "after accessing the Program Setup menu.\n\nSETUP";
  EXPECT_EQ(ProgramSetupHelpMessage("SETUP"), expected);
  EXPECT_EQ(ProgramSetupHelpTitle, "Program Setup Help");
}

TEST(TracerInstructions, TarselNewFirmwareHeadingFourLineFeedsThenEightSteps) {
  HelpTexts help;
  help.BuildTarselInstructions();
  const std::string expected =
      std::string(TarselHeading) + "\n\n\n\n" +
      joined({TarselStep1, TarselStep2, TarselStep3, TarselStep4, TarselStep5, TarselStep6,
              TarselStep7, TarselStep8},
             "\n\n");
  EXPECT_EQ(help.TracerInstructionsText, expected);
}

TEST(TracerInstructions, TarselOldFirmwareSharesSteps238) {
  HelpTexts help;
  help.BuildTarselOldInstructions();
  const std::string expected =
      std::string(TarselOldHeading) + "\n\n\n\n" +
      joined({TarselOldStep1, TarselStep2, TarselStep3, TarselOldStep4, TarselOldStep5,
              TarselOldStep6, TarselOldStep7, TarselStep8},
             "\n\n");
  EXPECT_EQ(help.TracerInstructionsText, expected);
}

TEST(TracerInstructions, PavaneHeadingFourLineFeedsThenSixSteps) {
  HelpTexts help;
  help.BuildPavaneInstructions();
  const std::string expected =
      std::string(PavaneHeading) + "\n\n\n\n" +
      joined({PavaneStep1, PavaneStep2, PavaneStep3, PavaneStep4, PavaneStep5, PavaneStep6},
             "\n\n");
  EXPECT_EQ(help.TracerInstructionsText, expected);
}

TEST(TracerInstructions, OrvidSharesPavaneSteps2To6) {
  HelpTexts help;
  help.BuildOrvidInstructions();
  const std::string expected =
      std::string(OrvidHeading) + "\n\n\n\n" +
      joined({OrvidStep1, PavaneStep2, PavaneStep3, PavaneStep4, PavaneStep5, PavaneStep6},
             "\n\n");
  EXPECT_EQ(help.TracerInstructionsText, expected);
}

TEST(TracerInstructions, LastModelChosenReplacesThePreviousText) {
  HelpTexts help;
  help.BuildTracerInstructions(TracerModel::Pavane);
  help.BuildTracerInstructions(TracerModel::TarselOld);
  EXPECT_EQ(help.TracerInstructionsText.rfind(TarselOldHeading, 0), 0u);
  EXPECT_EQ(help.TracerInstructionsText.find("Pavane"), std::string::npos);
}

TEST(TracerInstructions, EachModelBuildsItsOwnText) {
  HelpTexts help;
  help.BuildTracerInstructions(TracerModel::Orvid);
  EXPECT_EQ(help.TracerInstructionsText.rfind(OrvidHeading, 0), 0u);
  help.BuildTracerInstructions(TracerModel::Pavane);
  EXPECT_EQ(help.TracerInstructionsText.rfind(PavaneHeading, 0), 0u);
  help.BuildTracerInstructions(TracerModel::Tarsel);
  EXPECT_EQ(help.TracerInstructionsText.rfind(TarselHeading, 0), 0u);
  help.BuildTracerInstructions(TracerModel::TarselOld);
  EXPECT_EQ(help.TracerInstructionsText.rfind(TarselOldHeading, 0), 0u);
}

TEST(DailyOperationText, NoteSentenceAndFiveStepsSeparatedByEmptyLines) {
  HelpTexts help;
  help.BuildDailyOperationText();
  const std::string expected =
      joined({DailyNote, DailySentence, DailyStep1, DailyStep2, DailyStep3, DailyStep4,
              DailyStep5},
             "\n\n");
  EXPECT_EQ(help.DailyOperationText, expected);
  EXPECT_EQ(DailyOperationTitle, "Daily Operation");
}

TEST(MaintenanceText, HeadingAndFourStepsSeparatedByEmptyLines) {
  HelpTexts help;
  help.BuildMaintenanceText();
  const std::string expected =
      joined({MaintenanceHeading, MaintenanceStep1, MaintenanceStep2, MaintenanceStep3,
              MaintenanceStep4},
             "\n\n");
  EXPECT_EQ(help.MaintenanceText, expected);
  EXPECT_EQ(MaintenanceTitle, "Maintenance");
}

TEST(HelpTexts, BuildersLeaveTheOtherTextsAlone) {
  HelpTexts help;
  help.BuildMaintenanceText();
  help.BuildOrvidInstructions();
  EXPECT_TRUE(help.SetupHelpText.empty());
  EXPECT_TRUE(help.DailyOperationText.empty());
  EXPECT_FALSE(help.MaintenanceText.empty());
}

}  // namespace
}  // namespace lumora
