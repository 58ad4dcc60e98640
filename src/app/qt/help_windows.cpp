#include "app/qt/help_windows.h"

#include <optional>
#include <string>

#include "app/core/about_box.h"
#include "app/core/tracer_question.h"
#include "base/core/app_identity.h"
#include "base/qt/qt_text.h"
#include "base/qt/questions.h"

namespace lumora {

void askTracerInstructions(Questions& questions, HelpTexts& texts, QWidget* parent) {
  const std::optional<QString> answer = questions.inputText(parent, toQString(kTracerQuestionPrompt),
                                                            toQString(kTracerQuestionTitle), QString{});
  const std::optional<TracerModel> model =
      tracerModelFromAnswer(answer ? answer->toStdString() : std::string{});
  if (!model) return;
  texts.buildTracerInstructions(*model);
  questions.showMessage(parent, toQString(texts.tracerInstructions), toQString(tracerInstructionsTitle(*model)));
}

void showDailyOperation(Questions& questions, const HelpTexts& texts, QWidget* parent) {
  questions.showMessage(parent, toQString(texts.dailyOperation), toQString(kDailyOperationTitle));
}

void showMaintenance(Questions& questions, const HelpTexts& texts, QWidget* parent) {
  questions.showMessage(parent, toQString(texts.maintenance), toQString(kMaintenanceTitle));
}

void showProgramSetupHelp(Questions& questions, const HelpTexts& texts, QWidget* parent) {
  questions.showMessage(parent, toQString(programSetupHelpMessage(texts.setupHelp)),
                        toQString(kProgramSetupHelpTitle));
}

void showAboutBox(Questions& questions, QWidget* parent, std::int16_t configuredPort,
                  const QString& linkSettings, const QString& savePath) {
  const std::string text = aboutText(programVersion(), configuredPort, linkSettings.toStdString(),
                                     savePath.toStdString());
  questions.ask(parent, toQString(text), toQString(kApplicationTitle), Buttons::Ok, Icon::Information);
}

SetupHelp setupDialogHelp(Questions& questions, HelpTexts& texts) {
  return {toQString(texts.setupHelp),
          [&](QWidget* parent) { askTracerInstructions(questions, texts, parent); },
          [&](QWidget* parent) { showMaintenance(questions, texts, parent); },
          [&](QWidget* parent) { showDailyOperation(questions, texts, parent); }};
}

}  // namespace lumora
