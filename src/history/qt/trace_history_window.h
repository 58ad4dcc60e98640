// The "Trace History" window: every upload, newest first, with a filter box for a job number
// or a date that filters as the user types. A double click on an upload asks for its trace.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTableView;

namespace lumora {

class HistoryModel;
class HistoryStore;

class TraceHistoryWindow : public QWidget {
  Q_OBJECT

 public:
  // `store` must outlive the window.
  explicit TraceHistoryWindow(HistoryStore& store, QWidget* parent = nullptr);

  // Reads the history again under the filter typed (after an upload).
  void refresh();

 signals:
  // The upload double-clicked: the path of its stored trace, empty when none was stored.
  void traceChosen(const QString& path);

 private:
  HistoryModel* model_ = nullptr;
  QLineEdit* filter_ = nullptr;
  QTableView* table_ = nullptr;
  QLabel* problem_ = nullptr;
};

}  // namespace lumora
