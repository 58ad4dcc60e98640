#include "app/core/help_texts.h"

#include <initializer_list>

namespace lumora {
namespace {

constexpr std::string_view kLf = "\n";
constexpr std::string_view kTwoLf = "\n\n";
constexpr std::string_view kFourLf = "\n\n\n\n";

// A heading, the separator after it, then the steps with an empty line between them.
std::string instructions(std::string_view heading, std::string_view afterHeading,
                         std::initializer_list<std::string_view> steps) {
  std::string text{heading};
  text += afterHeading;
  bool first = true;
  for (std::string_view step : steps) {
    if (!first) text += kTwoLf;
    text += step;
    first = false;
  }
  return text;
}

// Steps shared by both Tarsel texts.
constexpr std::string_view kTarselStep2 =
    "2.  When the Trace Screen is displayed, press the softkey labeled MENU.  If no such softkey "
    "is displayed, press the EXIT key.";
constexpr std::string_view kTarselStep3 =
    "3.  When the Main Menu is displayed, press 3 to access the SETUP subsystem.  When the Setup "
    "Menu Screen is displayed, press 2 to access the Communication Setup Screen.";
constexpr std::string_view kTarselStep8 =
    "8.  Press the ENTER key.  This will return you to the Setup Menu Screen. If you made any "
    "changes, press the SAVE softkey.  When the SAVE softkey disappears, press the HOME softkey "
    "to return to the Trace Screen.";

// Steps 2 to 6, shared by the Pavane and the Orvid text.
std::string pavaneFamilyInstructions(std::string_view heading, std::string_view step1) {
  return instructions(
      heading, kFourLf,
      {step1,
       "2.  When the Trace Screen is displayed, press the on-screen Setup button.",
       "3.  When the Setup Menu is displayed, press the Interface button.",
       "4.  In the COM 1 section make sure that only the following items are selected: Host, "
       "19,200, Send ZData, 400 and 800.",
       "5.  The serial cable should be connected to the lower serial port on the rear of the "
       "tracer.",
       "6.  Press the Job button.  This will return you to the trace screen."});
}

std::string tarselInstructions() {
  return instructions(
      "These instructions are for Tarsel tracers equipped with v1.23 or newer firmware. Please "
      "read the Tarsel Tracer Manual before operating the unit.",
      kFourLf,
      {"1.  Turn the Tarsel power switch (left rear of unit) OFF.  Wait 5 seconds then turn the "
       "power ON.  The Tarsel will display its Power-on Screen for 3 seconds.  During this "
       "interval, press the 1 key and reply to the prompt by pressing the softkey labeled YES.",
       kTarselStep2, kTarselStep3,
       "4.  If your Tarsel is equipped with Arcnet, press the Arcnet communication softkey until "
       "NONE is highlighted.",
       "5.  Press the second softkey (SERIAL TO) until HOST is highlighted.",
       "6.  Press the third softkey (PROTOCOL) until OMA+Z is highlighted.",
       "7.  Press the fourth softkey (COM1 KBAUD) until 19.2 is highlighted.", kTarselStep8});
}

std::string tarselOldInstructions() {
  return instructions(
      "These instructions are for Tarsel tracers equipped with v1.22 or older firmware. Please "
      "read the Tarsel Tracer Manual before operating the unit.",
      kFourLf,
      {"1.  Turn the Tarsel power switch (left rear of unit) OFF.  Wait 5 seconds then turn the "
       "power .",
       kTarselStep2, kTarselStep3,
       "4.  Press the Arcnet communication softkey until NONE is highlighted.",
       "5.  Press the second softkey (SERIAL CONNECTION) until HOST is highlighted.",
       "6.  Press the third softkey (PROTOCOL) until OMA is highlighted.",
       "7.  Press the fourth sofkey (SEND Z DATA) so that YES is highlighted.", kTarselStep8});
}

std::string pavaneInstructions() {
  return pavaneFamilyInstructions(
      "These instructions are for Pavane tracers equipped with the latest firmware. Please read "
      "the Pavane Tracer Manual before operating the unit.",
      "1.  Turn the Pavane power switch (left rear of unit) OFF.  Wait 5 seconds then turn the "
      "power .");
}

std::string orvidInstructions() {
  return pavaneFamilyInstructions(
      "These instructions are for Orvid tracers equipped with the latest firmware. Please read "
      "the Orvid Tracer Manual before operating the unit.",
      "1.  Turn the Orvid power switch (left rear of unit) OFF.  Wait 5 seconds then turn the "
      "power .");
}

}  // namespace

void HelpTexts::buildSetupHelp(std::string_view defaultSaveFolder) {
  std::string text;
  text += "Step 1.  Click on the checkbox for the port you plan to connect to your tracer. Only "
          "ports marked as (Available) may be used.  ";
  text += "Enter 19200 for the port speed if your Tarsel contains v1.23 or newer firmware. Enter "
          "9600 for the port speed if your Tarsel contains v1.22 or older firmware.";
  text += kLf;
  text += "Step 2.  The default location of ";
  text += defaultSaveFolder;
  text += " should always be used with Lumora, but you can select a different location if "
          "desired by clicking on the small directory selection button.";
  text += kLf;
  text += "Step 3.  Options that effect the behavior of this program are found in this section. "
          "Do not change these settings unless instructed to do so by a service technician.";
  text += kLf;
  text += "Step 4.  Click on each of the buttons in the Help Section for instructions on Tracer "
          "Setup, Daily Operation, and Maintenance.";
  setupHelp = text;
}

void HelpTexts::buildDailyOperation() {
  // The note and the sentence after it are separated like the steps.
  dailyOperation = instructions(
      "Note: The Lumora Corvane Trace Server normally runs as an invisible background task. "
      "Traces can be automatically saved without any operator interaction at the computer. You "
      "may make the program visible at any time by clicking on the small blue Corvane icon on "
      "the bottom right area of the Windows taskbar.",
      kTwoLf,
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

void HelpTexts::buildMaintenance() {
  maintenance = instructions(
      "Occasionally, old traces should be purged from your system to prevent the hard drive "
      "from eventually filling up.  Please observe the following steps to perform the purge "
      "operation:",
      kTwoLf,
      {"1. Access the Trace Server program by left clicking on the small blue Corvane icon on "
       "the Windows taskbar. The main program menu will appear.",
       "2. Click on the File heading on the top menu bar and then click on Trace Maintenance.  "
       "The Trace Maintenance menu will appear.",
       "3. From this menu select the traces you want to delete. The Select All button will "
       "select every trace all at once. When the desired traces have been selected, click on "
       "the Delete button to clear the traces from your system.",
       "4. Click on OK to return to the main program menu."});
}

void HelpTexts::buildTracerInstructions(TracerModel model) {
  switch (model) {
    case TracerModel::Orvid: tracerInstructions = orvidInstructions(); return;
    case TracerModel::Pavane: tracerInstructions = pavaneInstructions(); return;
    case TracerModel::Tarsel: tracerInstructions = tarselInstructions(); return;
    case TracerModel::TarselOld: tracerInstructions = tarselOldInstructions(); return;
  }
}

std::string programSetupHelpMessage(std::string_view setupHelp) {
  std::string text{"This information is also available on the Program Setup Menu."};
  text += kTwoLf;
  text += "You can access the Program Setup Menu by clicking on the File heading on the top menu "
          "bar and selecting Setup from the drop-down menu. The following steps should be taken "
          "after accessing the Program Setup menu.";
  text += kTwoLf;
  text += setupHelp;
  return text;
}

}  // namespace lumora
