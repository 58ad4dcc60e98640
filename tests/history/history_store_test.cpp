// The history on real SQLite files: what is appended comes back whole, newest first, filtered
// by ranges; damaged and locked files are reported, not hidden; the window's model reads pages.
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>

#include "history/qt/history_model.h"
#include "history/qt/history_store.h"
#include "temp_folder.h"

namespace lumora {
namespace {

using testing::TempFolder;

HistoryRecord upload(std::string job, std::string time) {
  HistoryRecord r;
  r.time = std::move(time);
  r.port = 2;
  r.device = "/dev/ttyUSB0";
  r.job = std::move(job);
  return r;
}

std::vector<std::string> jobs(const std::vector<HistoryRecord>& records) {
  std::vector<std::string> out;
  for (const auto& r : records) out.push_back(r.job);
  return out;
}

class HistoryStoreTest : public ::testing::Test {
 protected:
  std::vector<std::string> found(const HistoryQuery& query, int limit = 100, std::optional<std::int64_t> before = {}) {
    const auto records = store.find(query, limit, before);
    EXPECT_TRUE(records) << (records ? "" : records.problem().text);
    return records ? jobs(*records) : std::vector<std::string>{};
  }
  TempFolder temp;
  HistoryStore store{QString::fromStdString(temp.file("data/history.sqlite").string())};
};

// Fault caught: a field lost or mangled on the way (an absent status read as 0), oldest first.
TEST_F(HistoryStoreTest, RecordsComeBackWholeNewestFirst) {
  HistoryRecord full = upload("1001", "2026-06-12T10:00:00+02:00");
  full.outcome = UploadOutcome::Renamed;
  full.status = 0;
  full.file = "/traces/1001";
  full.a = 50.25, full.b = 30.5, full.circumference = 157.1, full.dbl = 18.5;
  ASSERT_EQ(store.append(full), std::nullopt);
  ASSERT_EQ(store.append(upload("1002", "2026-06-12T10:01:00+02:00")), std::nullopt);
  const auto records = store.find({}, 10);
  ASSERT_TRUE(records);
  ASSERT_EQ(jobs(*records), (std::vector<std::string>{"1002", "1001"}));
  full.id = (*records)[1].id;
  EXPECT_EQ((*records)[1], full);
  EXPECT_EQ((*records)[0].status, std::nullopt);
}

// Fault caught: a prefix that matches the next job number or misses its own, a date filter
// that ignores the day, pages that skip or repeat a record.
TEST_F(HistoryStoreTest, FiltersAreRangesAndPagesJoin) {
  const std::pair<const char*, const char*> uploads[] = {
      {"12", "2026-06-11T09:00:00+02:00"}, {"123", "2026-06-12T09:00:00+02:00"},
      {"13", "2026-06-12T10:00:00+02:00"}, {"1", "2026-06-13T08:00:00+02:00"},
      {"124", "2026-06-13T09:00:00+02:00"}};
  for (const auto& [job, time] : uploads) ASSERT_EQ(store.append(upload(job, time)), std::nullopt);
  EXPECT_EQ(found({"12"}), (std::vector<std::string>{"124", "123", "12"}));
  EXPECT_EQ(found({"", "2026-06-12"}), (std::vector<std::string>{"13", "123"}));
  EXPECT_EQ(found({"1", "", "2026-06-12"}), (std::vector<std::string>{"124", "1", "13", "123"}));
  const auto first = store.find({"1"}, 2);
  ASSERT_TRUE(first);
  EXPECT_EQ(found({"1"}, 10, first->back().id), (std::vector<std::string>{"13", "123", "12"}));
}

// Fault caught: a model that reads the whole history at once (a million rows freeze the
// window) or loses rows between its pages.
TEST_F(HistoryStoreTest, ModelReadsAPageAtATime) {
  const int total = HistoryModel::kPageRows * 2 + 7;
  for (int i = 0; i < total; ++i) ASSERT_EQ(store.append(upload(std::to_string(i), "t")), std::nullopt);
  HistoryModel model(store);
  model.setQuery({});
  EXPECT_EQ(model.rowCount(), HistoryModel::kPageRows);
  while (model.canFetchMore({})) model.fetchMore({});
  ASSERT_EQ(model.rowCount(), total);
  EXPECT_EQ(model.record(0)->job, std::to_string(total - 1));
  EXPECT_EQ(model.record(total - 1)->job, "0");
}

// Fault caught: a damaged or locked file taken for an empty history, or a failure that
// sticks once the file is usable again.
TEST_F(HistoryStoreTest, DamagedAndLockedFilesAreReported) {
  temp.write("bad.sqlite", std::string(4096, 'x'));
  HistoryStore damaged(QString::fromStdString(temp.file("bad.sqlite").string()));
  const auto problem = damaged.append(upload("1", "t"));
  ASSERT_TRUE(problem);
  EXPECT_NE(problem->text.find("bad.sqlite: file is not a database"), std::string::npos) << problem->text;

  ASSERT_EQ(store.append(upload("1", "t")), std::nullopt);
  {
    QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
    other.setDatabaseName(store.path());
    ASSERT_TRUE(other.open());
    QSqlQuery lock(other);
    ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));
    const auto locked = store.append(upload("2", "t"));
    ASSERT_TRUE(locked);
    EXPECT_NE(locked->text.find("database is locked"), std::string::npos) << locked->text;
    lock.exec("ROLLBACK");
  }
  QSqlDatabase::removeDatabase("other");
  EXPECT_EQ(store.append(upload("3", "t")), std::nullopt);
  EXPECT_EQ(found({}), (std::vector<std::string>{"3", "1"}));
}

}  // namespace
}  // namespace lumora
