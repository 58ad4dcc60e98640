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
  const std::optional<QString> answer = questions.inputText(parent, QText(TracerQuestionPrompt),
                                                            QText(TracerQuestionTitle), QString{});
  const std::optional<TracerModel> model =
      TracerModelFromAnswer(answer ? answer->toStdString() : std::string{});
  if (!model) return;
  texts.BuildTracerInstructions(*model);
  questions.showMessage(parent, QText(texts.TracerInstructionsText),
                        QText(TracerInstructionsTitle(*model)));
}

void ShowDailyOperation(Questions& questions, const HelpTexts& texts, QWidget* parent) {
  questions.showMessage(parent, QText(texts.DailyOperationText), QText(DailyOperationTitle));
}

void ShowMaintenance(Questions& questions, const HelpTexts& texts, QWidget* parent) {
  questions.showMessage(parent, QText(texts.MaintenanceText), QText(MaintenanceTitle));
}

void ShowProgramSetupHelp(Questions& questions, const HelpTexts& texts, QWidget* parent) {
  questions.showMessage(parent, QText(ProgramSetupHelpMessage(texts.SetupHelpText)),
                        QText(ProgramSetupHelpTitle));
}

void ShowAboutBox(Questions& questions, QWidget* parent, std::int16_t configuredPort,
                  const QString& linkSettings, const QString& savePath) {
  const std::string text = AboutText(ProgramVersion(), configuredPort, linkSettings.toStdString(),
                                     savePath.toStdString());
  questions.ask(parent, QText(text), QText(ApplicationTitle), Buttons::Ok, Icon::Information);
}

SetupHelp SetupDialogHelp(Questions& questions, HelpTexts& texts) {
  return {QText(texts.SetupHelpText),
          [&](QWidget* parent) { AskTracerInstructions(questions, texts, parent); },
          [&](QWidget* parent) { ShowMaintenance(questions, texts, parent); },
          [&](QWidget* parent) { ShowDailyOperation(questions, texts, parent); }};
}

}  // namespace lumora
