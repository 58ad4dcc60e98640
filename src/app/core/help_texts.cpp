#include "app/core/help_texts.h"

#include <initializer_list>

namespace lumora {
namespace {

constexpr std::string_view LF = "\n";
constexpr std::string_view TwoLF = "\n\n";
constexpr std::string_view FourLF = "\n\n\n\n";

// A heading, the separator after it, then the steps with an empty line between them.
std::string instructions(std::string_view heading, std::string_view afterHeading,
                         std::initializer_list<std::string_view> steps) {
  std::string text{heading};
  text += afterHeading;
  bool first = true;
  for (std::string_view step : steps) {
    if (!first) text += TwoLF;
    text += step;
    first = false;
  }
  return text;
}

// Steps shared by both Tarsel texts.
constexpr std::string_view TarselStep2 =
    "2.  When the Trace Screen is displayed, press the softkey labeled MENU.  If no such softkey "
    "is displayed, press the EXIT key.";
constexpr std::string_view TarselStep3 =
    "3.  When the Main Menu is displayed, press 3 to access the SETUP subsystem.  When the Setup "
    "Menu Screen is displayed, press 2 to access the Communication Setup Screen.";
constexpr std::string_view TarselStep8 =
    "8.  Press the ENTER key.  This will return you to the Setup Menu Screen. If you made any "
    "changes, press the SAVE softkey.  When the SAVE softkey disappears, press the HOME softkey "
    "to return to the Trace Screen.";

// Steps 2 to 6, shared by the Pavane and the Orvid text.
std::string pavaneFamilyInstructions(std::string_view heading, std::string_view step1) {
  return instructions(
      heading, FourLF,
      {step1,
       "2.  When the Trace Screen is displayed, press the on-screen Setup button.",
       "3.  When the Setup Menu is displayed, press the Interface button.",
       "4.  In the COM 1 section make sure that only the following items are selected: Host, "
       "19,200, Send ZData, 400 and 800.",
       "5.  The serial cable should be connected to the lower serial port on the rear of the "
       "tracer.",
       "6.  Press the Job button.  This will return you to the trace screen."});
}

}  // namespace

void HelpTexts::BuildSetupHelpText(std::string_view defaultSavePath) {
  std::string text;
  text += "Step 1.  Click on the checkbox for the port you plan to connect to your tracer. Only "
          "ports marked as (Available) may be used.  ";
  text += "Enter 19200 for the port speed if your Tarsel contains v1.23 or newer firmware. Enter "
          "9600 for the port speed if your Tarsel contains v1.22 or older firmware.";
  text += LF;
  text += "Step 2.  The default location of ";
  text += defaultSavePath;
  text += " should always be used with Lumora, but you can select a different location if "
          "desired by clicking on the small directory selection button.";
  text += LF;
  text += "Step 3.  Options that effect the behavior of this program are found in this section. "
          "Do not change these settings unless instructed to do so by a service technician.";
  text += LF;
  text += "Step 4.  Click on each of the buttons in the Help Section for instructions on Tracer "
          "Setup, Daily Operation, and Maintenance.";
  SetupHelpText = text;
}

void HelpTexts::BuildDailyOperationText() {
  // The note and the sentence after it are separated like the steps.
  DailyOperationText = instructions(
      "Note: The Lumora Corvane Trace Server normally runs as an invisible background task. "
      "Traces can be automatically saved without any operator interaction at the computer. You "
      "may make the program visible at any time by clicking on the small blue Corvane icon on "
      "the bottom right area of the Windows taskbar.",
      TwoLF,
      {"The program and tracer must already be configured before you can actually use this "
       "program with the Lumora ordering system.",
       "1.  You may trace frames any time this program is running. The traces will be saved to "
       "the default save directory.",
       "2.  Access the Lumora web site and log onto their system according to the instructions "
       "provided by Lumora.",
       "3.  At some point during the process of creating a new Lumora order, you will be asked "
       "if you want to include a trace with the order. If you want to include a trace with the "
       "order, you may use an existing trace or you can trace the frame now before going on to "
       "the next step.",
       "4.  If you indicated to the Lumora system that you want to include a trace with the "
       "order, Lumora will present you with a browse windows so you can select the trace you "
       "want to include with the order. Browse to the location where your traces are saved and "
       "select the desired trace and click on OK.",
       "5.  The selected trace will be transmitted via the web to Lumora and then you can "
       "continue completing the rest of the order."});
}

void HelpTexts::BuildMaintenanceText() {
  MaintenanceText = instructions(
      "Occasionally, old traces should be purged from your system to prevent the hard drive "
      "from eventually filling up.  Please observe the following steps to perform the purge "
      "operation:",
      TwoLF,
      {"1. Access the Trace Server program by left clicking on the small blue Corvane icon on "
       "the Windows taskbar. The main program menu will appear.",
       "2. Click on the File heading on the top menu bar and then click on Trace Maintenance.  "
       "The Trace Maintenance menu will appear.",
       "3. From this menu select the traces you want to delete. The Select All button will "
       "select every trace all at once. When the desired traces have been selected, click on "
       "the Delete button to clear the traces from your system.",
       "4. Click on OK to return to the main program menu."});
}

void HelpTexts::BuildTarselInstructions() {
  TracerInstructionsText = instructions(
      "These instructions are for Tarsel tracers equipped with v1.23 or newer firmware. Please "
      "read the Tarsel Tracer Manual before operating the unit.",
      FourLF,
      {"1.  Turn the Tarsel power switch (left rear of unit) OFF.  Wait 5 seconds then turn the "
       "power ON.  The Tarsel will display its Power-on Screen for 3 seconds.  During this "
       "interval, press the 1 key and reply to the prompt by pressing the softkey labeled YES.",
       TarselStep2, TarselStep3,
       "4.  If your Tarsel is equipped with Arcnet, press the Arcnet communication softkey until "
       "NONE is highlighted.",
       "5.  Press the second softkey (SERIAL TO) until HOST is highlighted.",
       "6.  Press the third softkey (PROTOCOL) until OMA+Z is highlighted.",
       "7.  Press the fourth softkey (COM1 KBAUD) until 19.2 is highlighted.", TarselStep8});
}

void HelpTexts::BuildTarselOldInstructions() {
  TracerInstructionsText = instructions(
      "These instructions are for Tarsel tracers equipped with v1.22 or older firmware. Please "
      "read the Tarsel Tracer Manual before operating the unit.",
      FourLF,
      {"1.  Turn the Tarsel power switch (left rear of unit) OFF.  Wait 5 seconds then turn the "
       "power .",
       TarselStep2, TarselStep3,
       "4.  Press the Arcnet communication softkey until NONE is highlighted.",
       "5.  Press the second softkey (SERIAL CONNECTION) until HOST is highlighted.",
       "6.  Press the third softkey (PROTOCOL) until OMA is highlighted.",
       "7.  Press the fourth sofkey (SEND Z DATA) so that YES is highlighted.", TarselStep8});
}

void HelpTexts::BuildPavaneInstructions() {
  TracerInstructionsText = pavaneFamilyInstructions(
      "These instructions are for Pavane tracers equipped with the latest firmware. Please read "
      "the Pavane Tracer Manual before operating the unit.",
      "1.  Turn the Pavane power switch (left rear of unit) OFF.  Wait 5 seconds then turn the "
      "power .");
}

void HelpTexts::BuildOrvidInstructions() {
  TracerInstructionsText = pavaneFamilyInstructions(
      "These instructions are for Orvid tracers equipped with the latest firmware. Please read "
      "the Orvid Tracer Manual before operating the unit.",
      "1.  Turn the Orvid power switch (left rear of unit) OFF.  Wait 5 seconds then turn the "
      "power .");
}

void HelpTexts::BuildTracerInstructions(TracerModel model) {
  switch (model) {
    case TracerModel::Orvid: BuildOrvidInstructions(); return;
    case TracerModel::Pavane: BuildPavaneInstructions(); return;
    case TracerModel::Tarsel: BuildTarselInstructions(); return;
    case TracerModel::TarselOld: BuildTarselOldInstructions(); return;
  }
}

std::string ProgramSetupHelpMessage(std::string_view setupHelpText) {
  std::string text{"This information is also available on the Program Setup Menu."};
  text += TwoLF;
  text += "You can access the Program Setup Menu by clicking on the File heading on the top menu "
          "bar and selecting Setup from the drop-down menu. The following steps should be taken "
          "after accessing the Program Setup menu.";
  text += TwoLF;
  text += setupHelpText;
  return text;
}

}  // namespace lumora
