// The Help actions shared by the main window's Help menu and the setup dialog's help buttons.
#pragma once

#include <QString>
#include <cstdint>

#include "app/core/help_texts.h"
#include "setup/qt/setup_dialog.h"

class QWidget;

namespace lumora {

class Questions;

// The tracer-type question; answers 1 to 4 build that model's instructions into `texts` and
// show them, anything else (Cancel, 0, 5, 2.5) does nothing.
void askTracerInstructions(Questions& questions, HelpTexts& texts, QWidget* parent);

void showDailyOperation(Questions& questions, const HelpTexts& texts, QWidget* parent);
void showMaintenance(Questions& questions, const HelpTexts& texts, QWidget* parent);
void showProgramSetupHelp(Questions& questions, const HelpTexts& texts, QWidget* parent);

// The setup dialog's help: the set-up help text and the tracer, maintenance and daily
// operation help of `texts`, which must outlive the dialog.
SetupHelp setupDialogHelp(Questions& questions, HelpTexts& texts);

// The about box: version, the configured port with the live link's settings text
// ("19200,N,8,1") and the save folder, under the application title.
void showAboutBox(Questions& questions, QWidget* parent, std::int16_t configuredPort,
                  const QString& linkSettings, const QString& savePath);

}  // namespace lumora
