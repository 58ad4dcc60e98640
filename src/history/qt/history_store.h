// The upload history in an SQLite file (Qt SQL's "QSQLITE" driver).
//
// Each upload is one transaction in a write-ahead journal, so a kill at any moment leaves
// every committed upload and a file that opens. Job numbers and times are indexed: a prefix is
// a range on the index, and records come newest first in pages, so a look-up costs the rows it
// returns, not the rows the file holds. A file that is locked by another writer for longer
// than kBusyMs, or damaged, or not writable makes append() say so; the store tries again with
// the next record.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/core/problem.h"
#include "history/core/history_record.h"

namespace lumora {

class HistoryStore {
 public:
  // How long a write waits for another writer (the other program appending, the command
  // line reading a checkpoint) before it gives up. Short: the tracer waits meanwhile.
  static constexpr int kBusyMs = 250;

  // Opens or creates `path` when first used; its folder is made then.
  explicit HistoryStore(QString path);
  ~HistoryStore();
  HistoryStore(const HistoryStore&) = delete;
  HistoryStore& operator=(const HistoryStore&) = delete;

  const QString& path() const { return path_; }

  // Adds the record (its id is given by the store). The problem in plain words (the reason
  // SQLite gives) when it could not.
  std::optional<Problem> append(const HistoryRecord& record);
  // Newest first: at most `limit` records that match `query` and are older than `beforeId`
  // when one is given.
  Result<std::vector<HistoryRecord>> find(const HistoryQuery& query, int limit,
                                          std::optional<std::int64_t> beforeId = std::nullopt);

 private:
  std::optional<Problem> open();
  std::optional<Problem> failed(const QString& what, const QString& reason);

  QString path_;
  QString connection_;  // this store's own connection name
  bool open_ = false;
};

}  // namespace lumora
