// The user documentation the program carries: set-up help, daily operation, maintenance and
// the set-up instructions of each supported tracer model. Line breaks are a single LF.
#pragma once

#include <string>
#include <string_view>

namespace lumora {

// The tracer models whose set-up instructions the program knows.
enum class TracerModel { Orvid, Pavane, Tarsel, TarselOld };

// The help texts of one run. The three start-up texts are built once; the tracer text is
// rebuilt each time a model is chosen and keeps the last model's text until then.
struct HelpTexts {
  std::string SetupHelpText;
  std::string DailyOperationText;
  std::string MaintenanceText;
  std::string TracerInstructionsText;

  // The four set-up steps; step 2 names `defaultSavePath` as the folder to keep.
  void BuildSetupHelpText(std::string_view defaultSavePath);
  void BuildDailyOperationText();
  void BuildMaintenanceText();
  void BuildTarselInstructions();     // Tarsel, firmware v1.23 or newer
  void BuildTarselOldInstructions();  // Tarsel, firmware v1.22 or older
  void BuildPavaneInstructions();
  void BuildOrvidInstructions();
  // Runs the builder of `model`.
  void BuildTracerInstructions(TracerModel model);
};

// The "Program Setup Help" message: where the set-up menu is, then `setupHelpText`.
std::string ProgramSetupHelpMessage(std::string_view setupHelpText);

// Titles of the message windows that show the texts.
inline constexpr std::string_view ProgramSetupHelpTitle = "Program Setup Help";
inline constexpr std::string_view DailyOperationTitle = "Daily Operation";
inline constexpr std::string_view MaintenanceTitle = "Maintenance";

}  // namespace lumora
