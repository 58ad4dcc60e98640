// Renders the setup dialog, the message window and the folder chooser without a screen and
// saves them as PNG files for the documentation:
//   QT_QPA_PLATFORM=offscreen lumora-screenshots [output folder [setup dialog file]]
// Given a file name for the setup dialog, only that dialog is rendered (run with
// QT_SCALE_FACTOR=2 for its picture at scale 2).
// The settings live in a temporary store; two pseudo-terminals stand in for free ports.
#include <pty.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileSystemModel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/core/help_texts.h"
#include "app/qt/help_windows.h"
#include "base/qt/message_window.h"
#include "base/qt/questions.h"
#include "setup/qt/auto_start.h"
#include "setup/qt/folder_chooser.h"
#include "setup/qt/setup_dialog.h"
#include "base/qt/settings_store.h"
#include "base/core/platform_values.h"

namespace {

using namespace lumora;

// Runs the event loop for `milliseconds`, or until `sender` emits `signal` when one is given,
// so windows can paint and models can load before the picture is taken.
template <typename Sender = QObject, typename Signal = void (QObject::*)()>
void settle(int milliseconds, const Sender* sender = nullptr, Signal signal = nullptr) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  if (sender) QObject::connect(sender, signal, &loop, &QEventLoop::quit);
  loop.exec();
}

bool save(QWidget& window, const QString& file) {
  window.show();
  settle(200);
  const bool saved = window.grab().save(file);
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(file));
  return saved;
}

// A free port: the pseudo-terminal pair stays open for the program's life.
std::string freePort() {
  int master = -1;
  int slave = -1;
  char name[256] = {};
  if (openpty(&master, &slave, name, nullptr, nullptr) != 0) return {};
  return name;
}

bool setupDialog(const QString& out, const QString& work, const QString& name) {
  SettingsStore store;
  for (int port = 1; port <= 16; ++port) {
    store.writeKey(deviceSettingKey(port), (work + "/missing").toStdString());
  }
  store.writeKey(deviceSettingKey(2), freePort());
  store.writeKey(deviceSettingKey(5), freePort());
  store.write(Setting::Port, 1);
  store.write(Setting::Speed, 19200);
  store.write(Setting::Prompt, "1");
  HelpTexts texts;
  texts.buildSetupHelp(defaultSaveFolder());
  QtQuestions questions;
  XdgAutoStart autoStart(work + "/autostart", QStringLiteral("/usr/bin/true"));
  SetupDialog dialog(store, questions, autoStart, setupDialogHelp(questions, texts), defaultSaveFolder());
  dialog.show();
  if (dialog.probing()) settle(10000, &dialog, &SetupDialog::probeFinished);
  return save(dialog, out + "/" + name);
}

bool messageWindow(const QString& out) {
  HelpTexts texts;
  texts.buildTracerInstructions(TracerModel::Tarsel);
  MessageWindow window;
  window.setMessage(QString::fromStdString(texts.tracerInstructions),
                    QStringLiteral("Tarsel Instructions"));
  return save(window, out + "/message-window.png");
}

bool folderChooser(const QString& out, const QString& work) {
  QDir(work).mkpath(QStringLiteral("LumoraTraces/Archive"));
  QDir(work).mkpath(QStringLiteral("LumoraTraces/Rebuilt"));
  SettingsStore store;
  store.write(Setting::SavePath, (work + "/LumoraTraces").toStdString());
  QtQuestions questions;
  FolderChooser chooser(store, questions, defaultSaveFolder());
  chooser.show();
  settle(3000);
  return save(chooser, out + "/folder-chooser.png");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  QTemporaryDir work;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, work.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, work.path());
  QDir().mkpath(out);
  if (argc > 2) return setupDialog(out, work.path(), QString::fromLocal8Bit(argv[2])) ? 0 : 1;
  const bool ok = setupDialog(out, work.path(), QStringLiteral("setup-dialog.png")) && messageWindow(out) &&
                  folderChooser(out, work.path());
  return ok ? 0 : 1;
}
