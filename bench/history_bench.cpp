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
#include <functional>
#include <random>
#include <utility>

#include "history/qt/history_store.h"

namespace {

using namespace lumora;

constexpr int kUploads = 1'000'000;

// Fills `store` with kUploads uploads with random six-digit job numbers, a minute apart, in one
// transaction (the store itself writes one upload a transaction).
void fill(HistoryStore& store) {
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
    const QDateTime first(QDate(2024, 1, 1), QTime(8, 0));
    for (int i = 0; i < kUploads; ++i) {
      const QString job = QString::number(jobs(random));
      q.addBindValue(first.addSecs(60LL * i).toString(Qt::ISODate) + "+01:00");
      q.addBindValue(job);
      q.addBindValue("/srv/traces/" + job);
      q.exec();
    }
    q.exec("COMMIT");
  }
  QSqlDatabase::removeDatabase("fill");
}

// The first page of the window, as it shows after a key press.
void filterByJob(benchmark::State& state, HistoryStore& store, const std::string& prefix) {
  std::size_t found = 0;
  for (auto _ : state) found = store.find({prefix}, 200)->size();
  state.counters["rows"] = static_cast<double>(found);
}

void filterByDate(benchmark::State& state, HistoryStore& store) {
  for (auto _ : state) benchmark::DoNotOptimize(store.find({"", "2025-03-14"}, 200)->size());
}

void appendOne(benchmark::State& state, HistoryStore& store) {
  HistoryRecord record;
  record.time = "2026-06-12T10:00:00+02:00";
  record.job = "123456";
  record.file = "/srv/traces/123456";
  record.a = 50.2;
  for (auto _ : state) benchmark::DoNotOptimize(store.append(record));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // Qt loads the SQLite driver through it
  benchmark::Initialize(&argc, argv);
  QTemporaryDir folder;
  HistoryStore store(folder.filePath("history.sqlite"));
  fill(store);
  for (const auto& [name, prefix] : {std::pair{"FilterByJob/one_digit", "4"}, {"FilterByJob/four_digits", "4711"},
                                     {"FilterByJob/whole_job", "471123"}})
    benchmark::RegisterBenchmark(name, filterByJob, std::ref(store), std::string(prefix))->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("FilterByDate", filterByDate, std::ref(store))->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("AppendOne", appendOne, std::ref(store))->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
