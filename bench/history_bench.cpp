// The upload history with a million uploads in it: filtering by job number as the user types
// (a prefix of one digit matches a ninth of them, of four digits about a hundred) and by date,
// and appending one upload (one transaction, written through to the disk).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <random>

#include "history/qt/history_store.h"

namespace {

using namespace lumora;

constexpr int kUploads = 1'000'000;

// A store of kUploads uploads with random six-digit job numbers, a minute apart, made once.
HistoryStore& millionUploads() {
  static QTemporaryDir folder;
  static HistoryStore store(folder.filePath("history.sqlite"));
  static const bool filled = [] {
    (void)store.find({}, 1);  // makes the tables
    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fill");
      db.setDatabaseName(store.path());
      db.open();
      QSqlQuery q(db);
      q.exec("BEGIN");
      q.prepare("INSERT INTO uploads (time, port, device, job, outcome, status, file, a, b, circumference, dbl)"
                " VALUES (?, 1, '/dev/ttyUSB0', ?, 'stored', 0, ?, 50.2, 30.1, 157.3, 18.5)");
      std::mt19937 random(7);
      std::uniform_int_distribution<int> jobs(100000, 999999);
      for (int i = 0; i < kUploads; ++i) {
        const QString job = QString::number(jobs(random));
        q.addBindValue(QDateTime(QDate(2024, 1, 1), QTime(8, 0)).addSecs(60LL * i).toString(Qt::ISODate) + "+01:00");
        q.addBindValue(job);
        q.addBindValue("/srv/traces/" + job);
        q.exec();
      }
      q.exec("COMMIT");
    }
    QSqlDatabase::removeDatabase("fill");
    return true;
  }();
  (void)filled;
  return store;
}

// The first page of the window, as it shows after a key press.
void FilterByJob(benchmark::State& state, std::string prefix) {
  HistoryStore& store = millionUploads();
  std::size_t found = 0;
  for (auto _ : state) found = store.find({prefix}, 200)->size();
  state.counters["rows"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(FilterByJob, one_digit, std::string("4"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterByJob, four_digits, std::string("4711"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterByJob, whole_job, std::string("471123"))->Unit(benchmark::kMillisecond);

void FilterByDate(benchmark::State& state) {
  HistoryStore& store = millionUploads();
  for (auto _ : state) benchmark::DoNotOptimize(store.find({"", "2025-03-14"}, 200)->size());
}
BENCHMARK(FilterByDate)->Unit(benchmark::kMillisecond);

void AppendOne(benchmark::State& state) {
  HistoryStore& store = millionUploads();
  HistoryRecord record;
  record.time = "2026-06-12T10:00:00+02:00";
  record.job = "123456";
  record.file = "/srv/traces/123456";
  record.a = 50.2;
  for (auto _ : state) benchmark::DoNotOptimize(store.append(record));
}
BENCHMARK(AppendOne)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // Qt loads the SQLite driver through it
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
