// The history on real SQLite files: newest first, filtered by ranges, read a page at a time.
// Damaged and locked files are met under the real server (tests/e2e/history_e2e_test.cpp).
#include <gtest/gtest.h>

#include "history/qt/history_model.h"
#include "history/qt/history_store.h"
#include "temp_folder.h"

namespace lumora {
namespace {

using testing::TempFolder;

HistoryRecord upload(std::string job, std::string time) {
  HistoryRecord r;
  r.time = std::move(time);
  r.job = std::move(job);
  return r;
}

class HistoryStoreTest : public ::testing::Test {
 protected:
  std::vector<std::string> found(const HistoryQuery& query, int limit = 100, std::optional<std::int64_t> before = {}) {
    const auto records = store.find(query, limit, before);
    EXPECT_TRUE(records) << (records ? "" : records.problem().text);
    std::vector<std::string> jobs;
    for (const HistoryRecord& r : records ? *records : std::vector<HistoryRecord>{}) jobs.push_back(r.job);
    return jobs;
  }
  TempFolder temp;
  HistoryStore store{QString::fromStdString(temp.file("data/history.sqlite").string())};
};

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

}  // namespace
}  // namespace lumora
