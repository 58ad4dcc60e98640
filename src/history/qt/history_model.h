// The upload history as a table, newest first, read from the store a page at a time as the
// view scrolls: a history of a million uploads costs the rows on screen, not the file.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "history/core/history_record.h"

namespace lumora {

class HistoryStore;

class HistoryModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kPageRows = 200;
  enum Column { Time, Port, Device, Job, Outcome, Status, A, B, Circumference, Dbl, File, ColumnCount };

  // `store` must outlive the model.
  explicit HistoryModel(HistoryStore& store, QObject* parent = nullptr);

  // Shows the records `query` matches, from the newest; reads the store again.
  void setQuery(HistoryQuery query);
  // Why the store could not be read; empty when it could.
  const QString& problem() const { return problem_; }
  // The record shown in `row`; nullptr outside the rows.
  const HistoryRecord* record(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  // The next page, after the last row held.
  std::vector<HistoryRecord> nextPage();

  HistoryStore& store_;
  HistoryQuery query_;
  std::vector<HistoryRecord> rows_;
  bool complete_ = false;  // every matching record is held
  QString problem_;
};

}  // namespace lumora
