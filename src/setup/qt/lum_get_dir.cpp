#include "setup/qt/lum_get_dir.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QPushButton>
#include <QTreeView>

#include "base/qt/qt_text.h"
#include "base/qt/twips.h"
#include "base/qt/settings_store.h"
#include "base/core/shared_values.h"

namespace lumora {
namespace {

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

}  // namespace

LumGetDir::LumGetDir(SettingsStore& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      model_(new QFileSystemModel(this)),
      arDrive(new QComboBox),
      ARFolder(new QTreeView),
      cmdOk(new QPushButton(QStringLiteral("&OK"), this)),
      cmdCancel(new QPushButton(QStringLiteral("&Cancel"), this)) {
  setWindowTitle(QStringLiteral("Destination Folder"));
  setModal(true);
  setFixedSize(Twips(4620), Twips(5475));
  UseFormFont(this, QStringLiteral("Tahoma"));
  buildControls();
  for (const QFileInfo& drive : QDir::drives()) {
    arDrive->addItem(QDir::toNativeSeparators(drive.absolutePath()));
  }
  positionOnStoredFolder();

  // Folders are listed in the background; the current one is scrolled into view once there.
  connect(model_, &QFileSystemModel::directoryLoaded, this, [this] {
    ARFolder->scrollTo(model_->index(current_), QAbstractItemView::PositionAtCenter);
  });
  connect(arDrive, &QComboBox::activated, this, &LumGetDir::arDrive_Change);
  connect(ARFolder, &QTreeView::doubleClicked, this, &LumGetDir::ARFolder_DoubleClick);
  connect(cmdOk, &QPushButton::clicked, this, &LumGetDir::cmdOk_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void LumGetDir::buildControls() {
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::Box);
  frame->setGeometry(Twips(120), Twips(60), Twips(4395), Twips(4800));
  arDrive->setParent(frame);
  ARFolder->setParent(frame);
  arDrive->setObjectName(QStringLiteral("arDrive"));
  arDrive->setGeometry(Twips(60), Twips(240), Twips(4275), Twips(315));
  ARFolder->setObjectName(QStringLiteral("ARFolder"));
  ARFolder->setGeometry(Twips(60), Twips(660), Twips(4275), Twips(3915));

  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath(QString{});
  ARFolder->setModel(model_);
  ARFolder->setHeaderHidden(true);
  for (int column = 1; column < model_->columnCount(); ++column) ARFolder->hideColumn(column);
  ARFolder->setExpandsOnDoubleClick(false);

  cmdOk->setObjectName(QStringLiteral("cmdOk"));
  cmdOk->setToolTip(QStringLiteral("Accept selection and close window"));
  cmdOk->setGeometry(Twips(1980), Twips(4980), Twips(1095), Twips(375));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel->setToolTip(QStringLiteral("Cancel selection and close window"));
  cmdCancel->setGeometry(Twips(3180), Twips(4980), Twips(1095), Twips(375));
}

QString LumGetDir::currentFolder() const { return QDir::toNativeSeparators(current_); }

// A stored folder that no longer exists cannot be shown; the default folder, then the root
// of the stored folder's drive, then the first drive stand in for it.
void LumGetDir::positionOnStoredFolder() {
  const QString stored = QText(settings_.read(Setting::SavePath));
  const QString fallbacks[] = {stored, QText(Shared().DefaultSavePath), driveOf(stored),
                               arDrive->itemText(0)};
  for (const QString& folder : fallbacks) {
    if (openFolder(folder)) return;
  }
}

QString LumGetDir::driveOf(const QString& folder) const {
  const QString absolute = QFileInfo(QDir::fromNativeSeparators(folder)).absoluteFilePath();
  for (int i = 0; i < arDrive->count(); ++i) {
    const QString drive = QDir::fromNativeSeparators(arDrive->itemText(i));
    if (absolute.startsWith(drive, Qt::CaseInsensitive)) return arDrive->itemText(i);
  }
  return {};
}

bool LumGetDir::openFolder(const QString& folder) {
  if (!isFolder(folder)) return false;
  current_ = QFileInfo(QDir::fromNativeSeparators(folder)).absoluteFilePath();
  const QModelIndex index = model_->index(current_);
  for (QModelIndex open = index; open.isValid(); open = open.parent()) ARFolder->expand(open);
  ARFolder->setCurrentIndex(index);
  ARFolder->scrollTo(index, QAbstractItemView::PositionAtCenter);
  const int drive = arDrive->findText(driveOf(current_));
  if (drive >= 0) arDrive->setCurrentIndex(drive);
  return true;
}

// A drive that is not ready leaves both lists as they were.
void LumGetDir::arDrive_Change(int index) {
  if (openFolder(arDrive->itemText(index))) return;
  const int drive = arDrive->findText(driveOf(current_));
  if (drive >= 0) arDrive->setCurrentIndex(drive);
}

void LumGetDir::ARFolder_DoubleClick(const QModelIndex& index) {
  openFolder(model_->filePath(index));
}

void LumGetDir::cmdOk_Click() {
  settings_.write(Setting::SavePath, currentFolder().toStdString());
  accept();
}

}  // namespace lumora
