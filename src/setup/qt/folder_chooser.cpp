#include "setup/qt/folder_chooser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QTreeView>
#include <optional>

#include "base/qt/qt_text.h"
#include "base/qt/questions.h"
#include "base/qt/settings_store.h"
#include "base/qt/twips.h"

namespace lumora {
namespace {

bool isFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

// Whether `folder` is `ancestor` or lies inside it; every folder lies inside "" (the drives).
bool isWithin(const QString& folder, const QString& ancestor) {
  if (ancestor.isEmpty() || folder == ancestor) return true;
  return folder.startsWith(ancestor.endsWith(u'/') ? ancestor : ancestor + u'/');
}

}  // namespace

FolderChooser::FolderChooser(SettingsStore& settings, Questions& questions, std::string defaultSaveFolder,
                             QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      questions_(questions),
      model_(new QFileSystemModel(this)),
      driveList_(new QComboBox),
      folderTree_(new QTreeView),
      newFolderButton_(new QPushButton(QStringLiteral("&New Folder"), this)),
      okButton_(new QPushButton(QStringLiteral("&OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("&Cancel"), this)) {
  setWindowTitle(QStringLiteral("Destination Folder"));
  setModal(true);
  setFixedSize(twips(4620), twips(5475));
  useFormFont(this, QStringLiteral("Tahoma"));
  buildControls();
  for (const QFileInfo& drive : QDir::drives()) {
    driveList_->addItem(QDir::toNativeSeparators(drive.absolutePath()));
  }
  openStoredFolder(defaultSaveFolder);

  // Folders are listed in the background, and rows above the current one keep arriving after
  // it was selected: it is scrolled into view again as they come (once the view has taken
  // them) and once the dialog shows. Rows the user unfolds elsewhere move nothing.
  connect(model_, &QFileSystemModel::directoryLoaded, this, &FolderChooser::scrollToCurrent);
  connect(model_, &QFileSystemModel::rowsInserted, this, [this](const QModelIndex& listed) {
    if (isWithin(current_, model_->filePath(listed))) QTimer::singleShot(0, this, &FolderChooser::scrollToCurrent);
  });
  connect(newFolderButton_, &QPushButton::clicked, this, &FolderChooser::onNewFolderClicked);
  connect(driveList_, &QComboBox::activated, this, &FolderChooser::onDriveChosen);
  connect(folderTree_, &QTreeView::doubleClicked, this, &FolderChooser::onFolderDoubleClicked);
  connect(okButton_, &QPushButton::clicked, this, &FolderChooser::onOkClicked);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void FolderChooser::buildControls() {
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::Box);
  frame->setGeometry(twips(120), twips(60), twips(4395), twips(4800));
  driveList_->setParent(frame);
  folderTree_->setParent(frame);
  driveList_->setObjectName(QStringLiteral("driveList"));
  driveList_->setGeometry(twips(60), twips(240), twips(4275), twips(315));
  folderTree_->setObjectName(QStringLiteral("folderTree"));
  folderTree_->setGeometry(twips(60), twips(660), twips(4275), twips(3915));

  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath(QString{});
  folderTree_->setModel(model_);
  folderTree_->setHeaderHidden(true);
  for (int column = 1; column < model_->columnCount(); ++column) folderTree_->hideColumn(column);
  folderTree_->setExpandsOnDoubleClick(false);

  newFolderButton_->setObjectName(QStringLiteral("newFolderButton"));
  newFolderButton_->setToolTip(QStringLiteral("Make a new folder inside the one shown"));
  newFolderButton_->setGeometry(twips(120), twips(4980), twips(1095), twips(375));
  okButton_->setObjectName(QStringLiteral("okButton"));
  okButton_->setToolTip(QStringLiteral("Accept selection and close window"));
  okButton_->setGeometry(twips(1980), twips(4980), twips(1095), twips(375));
  cancelButton_->setObjectName(QStringLiteral("cancelButton"));
  cancelButton_->setToolTip(QStringLiteral("Cancel selection and close window"));
  cancelButton_->setGeometry(twips(3180), twips(4980), twips(1095), twips(375));
}

QString FolderChooser::currentFolder() const { return QDir::toNativeSeparators(current_); }

// A stored folder that no longer exists cannot be shown; the stand-ins take its place.
void FolderChooser::openStoredFolder(const std::string& defaultSaveFolder) {
  const QString stored = toQString(readSaveFolder(settings_.lookup(), defaultSaveFolder));
  const QString candidates[] = {stored, toQString(defaultSaveFolder), driveOf(stored), driveList_->itemText(0)};
  for (const QString& folder : candidates) {
    if (openFolder(folder)) return;
  }
}

QString FolderChooser::driveOf(const QString& folder) const {
  const QString absolute = QFileInfo(QDir::fromNativeSeparators(folder)).absoluteFilePath();
  for (int i = 0; i < driveList_->count(); ++i) {
    const QString drive = QDir::fromNativeSeparators(driveList_->itemText(i));
    if (absolute.startsWith(drive, Qt::CaseInsensitive)) return driveList_->itemText(i);
  }
  return {};
}

bool FolderChooser::openFolder(const QString& folder) {
  if (!isFolder(folder)) return false;
  current_ = QFileInfo(QDir::fromNativeSeparators(folder)).absoluteFilePath();
  const QModelIndex index = model_->index(current_);
  for (QModelIndex open = index; open.isValid(); open = open.parent()) folderTree_->expand(open);
  folderTree_->setCurrentIndex(index);
  scrollToCurrent();
  const int drive = driveList_->findText(driveOf(current_));
  if (drive >= 0) driveList_->setCurrentIndex(drive);
  return true;
}

// A drive that is not ready leaves both lists as they were.
void FolderChooser::onDriveChosen(int index) {
  if (openFolder(driveList_->itemText(index))) return;
  const int drive = driveList_->findText(driveOf(current_));
  if (drive >= 0) driveList_->setCurrentIndex(drive);
}

void FolderChooser::onFolderDoubleClicked(const QModelIndex& index) { openFolder(model_->filePath(index)); }

void FolderChooser::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  scrollToCurrent();
}

void FolderChooser::scrollToCurrent() {
  const QModelIndex index = model_->index(current_);
  for (QModelIndex open = index.parent(); open.isValid(); open = open.parent()) folderTree_->expand(open);
  folderTree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

// A name the file system refuses, or one taken, makes nothing and leaves the list as it was.
void FolderChooser::onNewFolderClicked() {
  const std::optional<QString> name =
      questions_.inputText(this, QStringLiteral("Name of the new folder:"), QStringLiteral("New Folder"), {});
  if (!name || name->trimmed().isEmpty()) return;
  const QDir parent(current_);
  if (parent.mkdir(name->trimmed())) openFolder(parent.filePath(name->trimmed()));
}

void FolderChooser::onOkClicked() {
  settings_.write(Setting::SavePath, currentFolder().toStdString());
  accept();
}

}  // namespace lumora
