#include "view/qt/trace_display.h"

#include <algorithm>
#include <limits>

#include <QApplication>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>

#include "base/core/app_identity.h"
#include "base/qt/qt_text.h"
#include "base/qt/questions.h"
#include "base/core/file_read.h"
#include "base/core/shared_values.h"
#include "trace/core/trace_record.h"
#include "view/core/trace_folder.h"

namespace lumora {
namespace {

QPushButton* button(const char* caption, int index, QWidget* parent) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QStringLiteral("Command1_%1").arg(index));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TraceDisplay::TraceDisplay(Questions& questions, PictureSurface* mainPicture, QWidget* parent)
    : QDialog(parent),
      questions_(questions),
      mainPicture_(mainPicture),
      model_(new QStringListModel(this)),
      File1(new QListView(this)) {
  setObjectName(QStringLiteral("TraceDisplay"));
  setWindowTitle(QStringLiteral("Trace Maintenance"));
  File1->setObjectName(QStringLiteral("File1"));
  File1->setModel(model_);
  File1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  File1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  File1->setUniformItemSizes(true);  // rows are not measured one by one
  Command1 = {button("&Delete Selected", 0, this), button("&Select All", 1, this),
              button("Close", 2, this)};
  auto* layout = new QGridLayout(this);
  layout->addWidget(File1, 0, 0, 4, 1);
  for (int i = 0; i < 3; ++i) {
    layout->addWidget(Command1[i], i, 1);
    connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
  }
  layout->setRowStretch(3, 1);
  connect(File1, &QListView::clicked, this, &TraceDisplay::File1_Click);
  resize(380, 420);
  folder_ = Shared().SavePath;
  refreshList();
}

void TraceDisplay::refreshList() {
  names_ = ListTraceFiles(folder_);
  QStringList rows;
  rows.reserve(static_cast<qsizetype>(names_.size()));
  for (const std::string& name : names_) rows.append(toQString(name));
  model_->setStringList(rows);
}

void TraceDisplay::Command1_Click(int index) {
  switch (index) {
    case 0:
      deleteSelected();
      break;
    case 1:
      if (!names_.empty()) File1->selectAll();
      break;
    case 2:
      close();
      break;
    default:
      break;
  }
}

void TraceDisplay::deleteSelected() {
  if (names_.empty()) return;
  const Answer answer =
      questions_.ask(this, QStringLiteral("Are you sure you want to delete the selected traces?"),
                     toQString(kApplicationTitle),
                     Buttons::YesNoCancel, Icon::None);
  if (answer != Answer::Yes) return;
  DeleteSelectedFiles(folder_, names_, selectedFlags());
  refreshList();
}

// One pass over the selection's ranges: a selection of every row is one range.
std::vector<bool> TraceDisplay::selectedFlags() const {
  std::vector<bool> flags(names_.size(), false);
  for (const QItemSelectionRange& range : File1->selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row) {
      if (row >= 0 && static_cast<std::size_t>(row) < flags.size()) flags[static_cast<std::size_t>(row)] = true;
    }
  }
  return flags;
}

void TraceDisplay::File1_Click() {
  int lowest = std::numeric_limits<int>::max();
  for (const QItemSelectionRange& range : File1->selectionModel()->selection()) {
    lowest = std::min(lowest, range.top());
  }
  if (lowest < 0 || static_cast<std::size_t>(lowest) >= names_.size()) return;
  const std::string& name = names_[static_cast<std::size_t>(lowest)];
  TraceRecord trace;
  trace.process(readFileText(joinPath(folder_, name)));  // the folder listed, whatever SavePath is now
  for (Side side : kBothSides)
    if (!trace.hasOutline(side)) QApplication::beep();
  if (mainPicture_ != nullptr) trace.draw(*mainPicture_, Side::Right, {Shared().HBias, Shared().VBias});
  emit traceDrawn(toQString(name));
}

}  // namespace lumora
