// The tray application's start-up and footprint: from constructing the main window to the
// end of its start-up (port open, icon added), and the resident memory with a trace shown.
// Runs under the offscreen platform: scripts/bench --benchmark_filter=Desktop
#include <benchmark/benchmark.h>
#include <pty.h>
#include <unistd.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "app/core/help_texts.h"
#include "app/desktop/main_window.h"
#include "base/qt/questions.h"
#include "base/qt/settings_store.h"

namespace {

using namespace lumora;

// Resident memory of this process in kilobytes.
long residentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

// A store in a temporary folder with port 1 on a fresh pseudo-terminal.
struct Setup {
  QTemporaryDir dir;
  int master = -1, slave = -1;
  Setup() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    char name[256] = {};
    openpty(&master, &slave, name, nullptr, nullptr);
    SettingsStore store;
    store.write(Setting::Port, 1);
    store.writeKey("Device1", name);
    store.write(Setting::SavePath, (dir.path() + "/traces").toStdString());
  }
  ~Setup() {
    ::close(master);
    ::close(slave);
  }
};

void BM_DesktopStartUpToIcon(benchmark::State& state) {
  Setup setup;
  QtQuestions questions;
  SettingsStore settings;
  HelpTexts texts;
  for (auto _ : state) {
    MainWindow window(DesktopServices{questions, settings, texts, [](QWidget*, int) {}});
    if (!window.start()) state.SkipWithError("the port did not open");
    state.PauseTiming();
    window.shutdown();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DesktopStartUpToIcon)->Unit(benchmark::kMillisecond);

void BM_DesktopMemoryWithATraceShown(benchmark::State& state) {
  Setup setup;
  QtQuestions questions;
  SettingsStore settings;
  HelpTexts texts;
  MainWindow window(DesktopServices{questions, settings, texts, [](QWidget*, int) {}});
  window.start();
  for (auto _ : state) window.showStoredTrace(LUMORA_SAMPLE_TRACE);
  QCoreApplication::processEvents();  // let the window paint once
  state.counters["resident_MB"] = static_cast<double>(residentKb()) / 1024.0;
}
BENCHMARK(BM_DesktopMemoryWithATraceShown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::benchmark::Initialize(&argc, argv);
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  return 0;
}
