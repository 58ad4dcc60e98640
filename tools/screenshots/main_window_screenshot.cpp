// Renders the main window as the tracer simulator's uploads leave it, for the documentation:
//   QT_QPA_PLATFORM=offscreen lumora-main-window-screenshot SIMULATOR SAMPLES_FOLDER OUTPUT_FOLDER
// Each window runs its real link on a pseudo-terminal with the simulator at the far end, and
// its settings in a temporary store: after a trace, with the port lost, during the file-name
// prompt, under the maintenance dialog after it redrew another trace, and with both eyes and
// the drill holes of a trace shown from the View menu.
#include <pty.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "app/core/help_texts.h"
#include "app/desktop/main_window.h"
#include "base/qt/qt_text.h"
#include "base/qt/questions.h"
#include "base/qt/settings_store.h"

namespace {

using namespace lumora;

// Runs the event loop until `done` holds or 20 s pass; whether it held.
bool waitFor(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
    if (done() || clock.elapsed() > 20000) loop.quit();
  });
  tick.start(50);
  if (!done()) loop.exec();
  return done();
}

bool save(const QImage& image, const QDir& out, const char* name) {
  const QString path = out.filePath(QString::fromLatin1(name));
  const bool saved = image.save(path);
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
  return saved;
}

QString labelText(const QWidget& window, const char* name) { return window.findChild<QLabel*>(name)->text(); }

// One window on its own pseudo-terminal as port 1.
class Run {
 public:
  Run(DesktopServices services, SettingsStore& settings, bool prompt) {
    char name[256] = {};
    int slave = -1;
    if (openpty(&master_, &slave, name, nullptr, nullptr) == 0) ::close(slave);
    settings.write(Setting::Port, 1);
    settings.writeKey("Device1", name);
    settings.write(Setting::Prompt, prompt ? "1" : "0");
    window_ = std::make_unique<MainWindow>(services);
  }
  ~Run() {
    window_.reset();
    if (master_ >= 0) ::close(master_);
  }
  MainWindow& window() { return *window_; }
  bool start() { return master_ >= 0 && window_->start(); }
  // The simulator uploads `trace` and ends.
  bool upload(const QString& simulator, const QString& trace) {
    QProcess sim;
    sim.start(simulator, {QStringLiteral("--fd"), QString::number(master_), trace});
    return waitFor([&] { return sim.state() == QProcess::NotRunning; }) && sim.exitCode() == 0;
  }
  // As an unplugged adapter: the far end hangs up.
  void hangUp() {
    ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::unique_ptr<MainWindow> window_;
};

// The maintenance dialog over the window, as they stand on the screen.
QImage withDialog(QWidget& window, QWidget& dialog) {
  const QRect area = window.frameGeometry().united(dialog.frameGeometry());
  QImage image(area.size(), QImage::Format_ARGB32);
  image.fill(QColor(60, 90, 120));
  QPainter painter(&image);
  painter.drawPixmap(window.pos() - area.topLeft(), window.grab());
  painter.drawPixmap(dialog.pos() - area.topLeft(), dialog.grab());
  return image;
}

bool shoot(const QString& simulator, const QDir& samples, const QDir& out, const QString& saves) {
  QtQuestions questions;
  SettingsStore settings;
  HelpTexts texts;
  const DesktopServices services{questions, settings, texts, [](QWidget*, int) {}};
  settings.write(Setting::SavePath, saves.toStdString());
  bool ok = true;
  {
    Run run(services, settings, false);
    MainWindow& window = run.window();
    ok = run.start() && run.upload(simulator, samples.filePath("1001")) &&
         waitFor([&] { return labelText(window, "orderLabel") == "Order: 1001"; }) &&
         save(window.grab().toImage(), out, "main-window.png");
    run.hangUp();
    ok = ok && waitFor([&] { return labelText(window, "statusLabel").startsWith("Port Lost"); }) &&
         save(window.grab().toImage(), out, "main-window-port-lost.png");
  }
  {
    Run run(services, settings, false);
    MainWindow& window = run.window();
    for (const char* extra : {"otherEyeAction", "drillHolesAction"}) window.findChild<QAction*>(extra)->trigger();
    ok = ok && run.start() && run.upload(simulator, samples.filePath("1005")) &&
         waitFor([&] { return labelText(window, "orderLabel") == "Order: 1005"; }) &&
         save(window.grab().toImage(), out, "main-window-other-eye.png");
  }
  Run run(services, settings, true);
  MainWindow& window = run.window();
  auto* saveButton = window.findChild<QPushButton*>("saveButton");
  ok = ok && run.start() && run.upload(simulator, samples.filePath("1002")) &&
       waitFor([&] { return saveButton->isVisible(); }) && save(window.grab().toImage(), out, "main-window-prompt.png");
  window.findChild<QPushButton*>("cancelButton")->click();
  QFile::copy(samples.filePath("1003"), saves + "/1003");
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    auto* list = dialog->findChild<QListView*>("traceList");
    list->setCurrentIndex(list->model()->index(1, 0));  // 1002; the arrow key moves on to 1003
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(list, &down);
    ok = ok && waitFor([&] { return labelText(window, "orderLabel") == "Order: 1003"; }) &&
         save(withDialog(window, *dialog), out, "trace-maintenance.png");
    dialog->close();
  });
  window.findChild<QAction*>("traceMaintenanceAction")->trigger();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: lumora-main-window-screenshot SIMULATOR SAMPLES_FOLDER OUTPUT_FOLDER\n");
    return 2;
  }
  QTemporaryDir work;  // the user's settings stay untouched
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, work.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, work.path());
  const QDir out(QString::fromLocal8Bit(argv[3]));
  QDir().mkpath(out.path());
  QDir().mkpath(work.path() + "/traces");
  return shoot(QString::fromLocal8Bit(argv[1]), QDir(QString::fromLocal8Bit(argv[2])), out, work.path() + "/traces")
             ? 0
             : 1;
}
