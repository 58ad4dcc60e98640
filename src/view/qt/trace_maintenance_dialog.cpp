#include "view/qt/trace_maintenance_dialog.h"

#include <algorithm>
#include <limits>
#include <utility>

#include <QGridLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>

#include "base/core/app_identity.h"
#include "base/core/file_read.h"
#include "base/qt/qt_text.h"
#include "base/qt/questions.h"
#include "view/core/trace_folder.h"
#include "view/qt/trace_picture.h"
#include "view/qt/trace_preview.h"

namespace lumora {
namespace {

// A list whose keys that move the selection (the arrow keys among them) report the move.
class TraceListView : public QListView {
 public:
  TraceListView(std::function<void()> selectionMoved, QWidget* parent)
      : QListView(parent), selectionMoved_(std::move(selectionMoved)) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const QItemSelection before = selectionModel()->selection();
    QListView::keyPressEvent(event);
    if (selectionModel()->selection() != before) selectionMoved_();
  }

 private:
  std::function<void()> selectionMoved_;
};

QPushButton* addButton(const char* name, const char* caption, QGridLayout* layout, int row, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  layout->addWidget(button, row, 1);
  return button;
}

}  // namespace

TraceMaintenanceDialog::TraceMaintenanceDialog(Questions& questions, std::string folder, PictureSurface& mainPicture,
                                               const ScreenCalibration& calibration, TraceDrawn drawn,
                                               QWidget* parent)
    : QDialog(parent),
      questions_(questions),
      folder_(std::move(folder)),
      mainPicture_(mainPicture),
      calibration_(calibration),
      drawn_(std::move(drawn)),
      model_(new QStringListModel(this)),
      traceList_(new TraceListView([this] { onTraceClicked(); }, this)),
      preview_(new TracePreview(calibration, this)) {
  setObjectName(QStringLiteral("traceMaintenanceDialog"));
  setWindowTitle(QStringLiteral("Trace Maintenance"));
  traceList_->setObjectName(QStringLiteral("traceList"));
  traceList_->setModel(model_);
  traceList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  traceList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  traceList_->setUniformItemSizes(true);  // rows are not measured one by one
  auto* layout = new QGridLayout(this);
  layout->addWidget(traceList_, 0, 0, 4, 1);
  connect(addButton("deleteButton", "&Delete Selected", layout, 0, this), &QPushButton::clicked, this,
          &TraceMaintenanceDialog::onDeleteClicked);
  connect(addButton("selectAllButton", "&Select All", layout, 1, this), &QPushButton::clicked, this,
          &TraceMaintenanceDialog::onSelectAllClicked);
  connect(addButton("closeButton", "Close", layout, 2, this), &QPushButton::clicked, this, &QDialog::close);
  layout->addWidget(preview_, 0, 2, 4, 1);
  layout->setRowStretch(3, 1);
  layout->setColumnStretch(0, 1);
  connect(traceList_, &QListView::clicked, this, &TraceMaintenanceDialog::onTraceClicked);
  connect(traceList_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TraceMaintenanceDialog::previewCurrent);
  resize(QSize(380, 420).expandedTo(sizeHint()));
  refreshList();
}

void TraceMaintenanceDialog::refreshList() {
  names_ = listTraceFiles(folder_);
  QStringList rows;
  rows.reserve(static_cast<qsizetype>(names_.size()));
  for (const std::string& name : names_) rows.append(toQString(name));
  model_->setStringList(rows);
  preview_->clear();
}

void TraceMaintenanceDialog::previewCurrent() {
  const int row = traceList_->currentIndex().row();
  if (row < 0 || static_cast<std::size_t>(row) >= names_.size()) preview_->clear();
  else preview_->showFile(folder_, names_[static_cast<std::size_t>(row)]);
}

void TraceMaintenanceDialog::onSelectAllClicked() {
  if (!names_.empty()) traceList_->selectAll();
}

void TraceMaintenanceDialog::onDeleteClicked() {
  if (names_.empty()) return;
  const Answer answer =
      questions_.ask(this, QStringLiteral("Are you sure you want to delete the selected traces?"),
                     toQString(kApplicationTitle), Buttons::YesNoCancel, Icon::None);
  if (answer != Answer::Yes) return;
  deleteSelectedFiles(folder_, names_, selectedFlags());
  refreshList();
}

// One pass over the selection's ranges: a selection of every row is one range.
std::vector<bool> TraceMaintenanceDialog::selectedFlags() const {
  std::vector<bool> flags(names_.size(), false);
  for (const QItemSelectionRange& range : traceList_->selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row) {
      if (row >= 0 && static_cast<std::size_t>(row) < flags.size()) flags[static_cast<std::size_t>(row)] = true;
    }
  }
  return flags;
}

void TraceMaintenanceDialog::onTraceClicked() {
  int lowest = std::numeric_limits<int>::max();
  for (const QItemSelectionRange& range : traceList_->selectionModel()->selection()) {
    lowest = std::min(lowest, range.top());
  }
  if (lowest < 0 || static_cast<std::size_t>(lowest) >= names_.size()) return;
  const std::string& name = names_[static_cast<std::size_t>(lowest)];
  const TraceRecord trace = showTraceFile(joinPath(folder_, name), mainPicture_, calibration_);
  if (drawn_) drawn_(trace, name);
}

}  // namespace lumora
