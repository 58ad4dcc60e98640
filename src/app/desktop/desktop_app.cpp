#include "app/desktop/desktop_app.h"

#include <QApplication>

#include "base/core/app_identity.h"
#include "app/core/help_texts.h"
#include "app/core/shell_texts.h"
#include "app/desktop/main_window.h"
#include "app/desktop/tray_icon.h"
#include "app/desktop/single_instance.h"
#include "app/qt/help_windows.h"
#include "base/qt/qt_text.h"
#include "base/qt/questions.h"
#include "history/qt/history_store.h"
#include "history/qt/upload_recording.h"
#include "setup/qt/auto_start.h"
#include "setup/qt/setup_dialog.h"
#include "base/qt/settings_store.h"
#include "base/core/platform_values.h"

namespace lumora {

int runDesktop(QApplication& app, const std::function<void()>& startLog) {
  QtQuestions questions;
  const SingleInstance instance;
  if (!instance.acquired()) {
    // A second copy touches nothing: no port, no icon, no file.
    questions.ask(nullptr, kAlreadyRunning, toQString(kApplicationTitle), Buttons::Ok, Icon::Information);
    return 0;
  }
  startLog();
  app.setQuitOnLastWindowClosed(false);  // the window hides; the icon keeps the program alive
  app.setWindowIcon(programIcon(IconLook::Normal));  // every window and dialog
  SettingsStore settings;
  HelpTexts texts;
  const std::unique_ptr<AutoStart> autoStart = platformAutoStart();
  DesktopServices services{questions, settings, texts, [&](QWidget* parent, int portNotOpen) {
                             SetupDialog dialog(settings, questions, *autoStart, setupDialogHelp(questions, texts),
                                                defaultSaveFolder(), portNotOpen, parent);
                             dialog.exec();
                           }};
  HistoryStore history(defaultHistoryPath());
  services.history = &history;
  MainWindow window(services);
  if (!window.start()) return 0;
  return app.exec();
}

}  // namespace lumora
