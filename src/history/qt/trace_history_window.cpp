#include "history/qt/trace_history_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "base/qt/qt_text.h"
#include "history/qt/history_model.h"

namespace lumora {

TraceHistoryWindow::TraceHistoryWindow(HistoryStore& store, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("traceHistoryWindow");
  setWindowTitle("Trace History");
  model_ = new HistoryModel(store, this);
  filter_ = new QLineEdit(this);
  filter_->setObjectName("historyFilter");
  filter_->setPlaceholderText("Job number, or date as 2026-06-12");
  filter_->setClearButtonEnabled(true);
  table_ = new QTableView(this);
  table_->setObjectName("historyTable");
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->setWordWrap(false);
  table_->horizontalHeader()->setStretchLastSection(true);
  problem_ = new QLabel(this);
  problem_->setObjectName("historyProblem");
  problem_->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(filter_);
  layout->addWidget(table_);
  layout->addWidget(problem_);
  connect(filter_, &QLineEdit::textChanged, this, &TraceHistoryWindow::refresh);
  connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (const HistoryRecord* record = model_->record(index.row())) emit traceChosen(toQString(record->file));
  });
  refresh();
  // Column widths from the first page only: measuring every row would read them all.
  table_->resizeColumnsToContents();
  resize(1000, 480);
}

void TraceHistoryWindow::refresh() {
  model_->setQuery(queryFromFilterText(filter_->text().toStdString()));
  problem_->setText(model_->problem().isEmpty() ? QString() : "The history cannot be read: " + model_->problem());
  problem_->setVisible(!model_->problem().isEmpty());
}

}  // namespace lumora
