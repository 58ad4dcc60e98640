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
  setFixedSize(twips(4620), twips(5475));
  useFormFont(this, QStringLiteral("Tahoma"));
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
  frame->setGeometry(twips(120), twips(60), twips(4395), twips(4800));
  arDrive->setParent(frame);
  ARFolder->setParent(frame);
  arDrive->setObjectName(QStringLiteral("arDrive"));
  arDrive->setGeometry(twips(60), twips(240), twips(4275), twips(315));
  ARFolder->setObjectName(QStringLiteral("ARFolder"));
  ARFolder->setGeometry(twips(60), twips(660), twips(4275), twips(3915));

  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath(QString{});
  ARFolder->setModel(model_);
  ARFolder->setHeaderHidden(true);
  for (int column = 1; column < model_->columnCount(); ++column) ARFolder->hideColumn(column);
  ARFolder->setExpandsOnDoubleClick(false);

  cmdOk->setObjectName(QStringLiteral("cmdOk"));
  cmdOk->setToolTip(QStringLiteral("Accept selection and close window"));
  cmdOk->setGeometry(twips(1980), twips(4980), twips(1095), twips(375));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel->setToolTip(QStringLiteral("Cancel selection and close window"));
  cmdCancel->setGeometry(twips(3180), twips(4980), twips(1095), twips(375));
}

QString LumGetDir::currentFolder() const { return QDir::toNativeSeparators(current_); }

// A stored folder that no longer exists cannot be shown; the default folder, then the root
// of the stored folder's drive, then the first drive stand in for it.
void LumGetDir::positionOnStoredFolder() {
  const QString stored = toQString(settings_.read(Setting::SavePath));
  const QString fallbacks[] = {stored, toQString(Shared().DefaultSavePath), driveOf(stored),
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
