#include "history/qt/history_model.h"

#include <QDir>

#include "base/qt/qt_text.h"
#include "history/qt/history_store.h"

namespace lumora {
namespace {

QVariant millimetres(const std::optional<double>& value) {
  return value ? QVariant(QString::number(*value, 'f', 2)) : QVariant();
}

}  // namespace

HistoryModel::HistoryModel(HistoryStore& store, QObject* parent) : QAbstractTableModel(parent), store_(store) {}

void HistoryModel::setQuery(HistoryQuery query) {
  beginResetModel();
  query_ = std::move(query);
  rows_.clear();
  complete_ = false;
  problem_.clear();
  rows_ = nextPage();
  endResetModel();
}

std::vector<HistoryRecord> HistoryModel::nextPage() {
  auto page = store_.find(query_, kPageRows, rows_.empty() ? std::nullopt : std::optional(rows_.back().id));
  if (!page) {
    problem_ = toQString(page.problem().text);
    complete_ = true;
    return {};
  }
  complete_ = page->size() < static_cast<std::size_t>(kPageRows);
  return std::move(page).value();
}

const HistoryRecord* HistoryModel::record(int row) const {
  return row >= 0 && row < rowCount() ? &rows_[static_cast<std::size_t>(row)] : nullptr;
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
  const HistoryRecord* r = record(index.row());
  if (!r || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  switch (index.column()) {
    case Time: return toQString(r->time);
    case Port: return r->port;
    case Device: return toQString(r->device);
    case Job: return toQString(r->job);
    case Outcome: return toQString(outcomeName(r->outcome));
    case Status: return r->status ? QVariant(*r->status) : QVariant();
    case File: return QDir::toNativeSeparators(toQString(r->file));
    case A: return millimetres(r->a);
    case B: return millimetres(r->b);
    case Circumference: return millimetres(r->circumference);
    case Dbl: return millimetres(r->dbl);
    default: return {};
  }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
  static const char* const kHeaders[ColumnCount] = {"Time", "Port", "Device", "Job", "Outcome", "Status",
                                                    "A",    "B",    "Cir",    "DBL", "File"};
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
  return QString(kHeaders[section]);
}

bool HistoryModel::canFetchMore(const QModelIndex& parent) const { return !parent.isValid() && !complete_; }

void HistoryModel::fetchMore(const QModelIndex& parent) {
  if (!canFetchMore(parent)) return;
  std::vector<HistoryRecord> page = nextPage();
  if (page.empty()) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(page.size()) - 1);
  rows_.insert(rows_.end(), std::make_move_iterator(page.begin()), std::make_move_iterator(page.end()));
  endInsertRows();
}

}  // namespace lumora
