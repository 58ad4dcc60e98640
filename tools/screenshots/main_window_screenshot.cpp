// Renders the main window with a sample trace for the documentation:
//   QT_QPA_PLATFORM=offscreen lumora-main-window-screenshot TRACEFILE OUTPUT.png
// No port is opened: the window is shown as it looks after that trace arrived.
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <cstdio>

#include "app/core/about_box.h"
#include "app/core/help_texts.h"
#include "app/core/shell_texts.h"
#include "app/desktop/main_window.h"
#include "base/qt/qt_text.h"
#include "base/qt/questions.h"
#include "base/qt/settings_store.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: lumora-main-window-screenshot TRACEFILE OUTPUT.png\n");
    return 2;
  }
  using namespace lumora;
  QtQuestions questions;
  SettingsStore settings;
  HelpTexts texts;
  MainWindow window(DesktopServices{questions, settings, texts, [](QWidget*) {}});
  window.setWindowTitle(toQString(mainWindowCaption(programVersion())));
  window.showStoredTrace(argv[1]);
  window.findChild<QLabel*>("orderLabel")->setText("Order: " + QFileInfo(QString::fromLocal8Bit(argv[1])).fileName());
  window.findChild<QLabel*>("statusLabel")->setText(toQString(kWaitingForTraceData));
  window.show();
  const bool saved = window.grab().save(QString::fromLocal8Bit(argv[2]));
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", argv[2]);
  return saved ? 0 : 1;
}
