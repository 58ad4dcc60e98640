// The user documentation the program carries: set-up help, daily operation, maintenance and
// the set-up instructions of each supported tracer model. Line breaks are a single LF.
#pragma once

#include <string>
#include <string_view>

namespace lumora {

// The tracer models whose set-up instructions the program knows: Tarsel with firmware v1.23
// or newer, and with v1.22 or older.
enum class TracerModel { Orvid, Pavane, Tarsel, TarselOld };

// The help texts of one run. The three start-up texts are built once; the tracer text is
// rebuilt each time a model is chosen and keeps the last model's text until then.
struct HelpTexts {
  std::string setupHelp;
  std::string dailyOperation;
  std::string maintenance;
  std::string tracerInstructions;

  // The four set-up steps; step 2 names `defaultSaveFolder` as the folder to keep.
  void buildSetupHelp(std::string_view defaultSaveFolder);
  void buildDailyOperation();
  void buildMaintenance();
  void buildTracerInstructions(TracerModel model);
};

// The "Program Setup Help" message: where the set-up menu is, then `setupHelp`.
std::string programSetupHelpMessage(std::string_view setupHelp);

// Titles of the message windows that show the texts.
inline constexpr std::string_view kProgramSetupHelpTitle = "Program Setup Help";
inline constexpr std::string_view kDailyOperationTitle = "Daily Operation";
inline constexpr std::string_view kMaintenanceTitle = "Maintenance";

}  // namespace lumora
