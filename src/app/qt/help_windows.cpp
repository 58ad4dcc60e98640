#include "app/qt/help_windows.h"

#include <optional>
#include <string>

#include "app/core/about_box.h"
#include "base/core/app_identity.h"
#include "app/core/tracer_question.h"
#include "base/qt/qt_text.h"
#include "base/qt/questions.h"

namespace lumora {

void AskTracerInstructions(Questions& questions, HelpTexts& texts, QWidget* parent) {
  const std::optional<QString> answer = questions.inputText(parent, toQString(TracerQuestionPrompt),
                                                            toQString(TracerQuestionTitle), QString{});
  const std::optional<TracerModel> model =
      TracerModelFromAnswer(answer ? answer->toStdString() : std::string{});
  if (!model) return;
  texts.BuildTracerInstructions(*model);
  questions.showMessage(parent, toQString(texts.TracerInstructionsText),
                        toQString(TracerInstructionsTitle(*model)));
}

void ShowDailyOperation(Questions& questions, const HelpTexts& texts, QWidget* parent) {
  questions.showMessage(parent, toQString(texts.DailyOperationText), toQString(DailyOperationTitle));
}

void ShowMaintenance(Questions& questions, const HelpTexts& texts, QWidget* parent) {
  questions.showMessage(parent, toQString(texts.MaintenanceText), toQString(MaintenanceTitle));
}

void ShowProgramSetupHelp(Questions& questions, const HelpTexts& texts, QWidget* parent) {
  questions.showMessage(parent, toQString(ProgramSetupHelpMessage(texts.SetupHelpText)),
                        toQString(ProgramSetupHelpTitle));
}

void ShowAboutBox(Questions& questions, QWidget* parent, std::int16_t configuredPort,
                  const QString& linkSettings, const QString& savePath) {
  const std::string text = AboutText(ProgramVersion(), configuredPort, linkSettings.toStdString(),
                                     savePath.toStdString());
  questions.ask(parent, toQString(text), toQString(kApplicationTitle), Buttons::Ok, Icon::Information);
}

SetupHelp SetupDialogHelp(Questions& questions, HelpTexts& texts) {
  return {toQString(texts.SetupHelpText),
          [&](QWidget* parent) { AskTracerInstructions(questions, texts, parent); },
          [&](QWidget* parent) { ShowMaintenance(questions, texts, parent); },
          [&](QWidget* parent) { ShowDailyOperation(questions, texts, parent); }};
}

}  // namespace lumora
