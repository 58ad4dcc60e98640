// Trace viewing speed: listing a save folder of 100,000 traces (the maintenance dialog must
// open in under a second) and drawing a trace on screen and into an image.
// Run: build/bin/view_bench (QT_QPA_PLATFORM=offscreen where there is no display).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "base/qt/questions.h"
#include "trace/core/trace_record.h"
#include "view/core/trace_folder.h"
#include "view/qt/drawing_files.h"
#include "view/qt/trace_maintenance_dialog.h"

namespace {

constexpr int kFiles = 100000;

// One folder of 100,000 small files for the whole run.
const QTemporaryDir& bigFolder() {
  static QTemporaryDir folder;
  static const bool filled = [] {
    for (int i = 0; i < kFiles; ++i) {
      std::ofstream(folder.filePath(QString::number(100000 + i)).toStdString()) << "JOB=" << i << "\n";
    }
    return true;
  }();
  (void)filled;
  return folder;
}

lumora::TraceRecord circle() {
  std::string packet = "REQ=TRC\nJOB=1\nTRCFMT=1;400;E;R;F\n";
  for (int i = 0; i < 400; ++i) packet += (i % 10 == 0 ? "R=" : ";") + std::string("2500") + (i % 10 == 9 ? "\n" : "");
  lumora::TraceRecord trace;
  trace.process(packet);
  return trace;
}

void BM_ListSaveFolder100k(benchmark::State& state) {
  const std::string path = bigFolder().path().toStdString();
  for (auto _ : state) benchmark::DoNotOptimize(lumora::listTraceFiles(path));
}
BENCHMARK(BM_ListSaveFolder100k)->Unit(benchmark::kMillisecond);

void BM_OpenMaintenanceDialog100k(benchmark::State& state) {
  const std::string path = bigFolder().path().toStdString();
  lumora::QtQuestions questions;
  lumora::MillimetreSurface picture(100, 80);
  const lumora::ScreenCalibration calibration;
  for (auto _ : state) {
    lumora::TraceMaintenanceDialog dialog(questions, path, picture, calibration);
    benchmark::DoNotOptimize(dialog.names().size());
  }
}
BENCHMARK(BM_OpenMaintenanceDialog100k)->Unit(benchmark::kMillisecond);

void BM_DrawTraceToImage(benchmark::State& state) {
  const lumora::TraceRecord trace = circle();
  for (auto _ : state) {
    lumora::MillimetreSurface surface = lumora::surfaceForImage(800, 600, 8);
    trace.draw(surface, lumora::Side::Right, {});
    benchmark::DoNotOptimize(lumora::drawingToImage(surface, 8));
  }
}
BENCHMARK(BM_DrawTraceToImage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
