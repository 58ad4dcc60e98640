// The folder chooser "Destination Folder": a drive list (a single root where there are no
// drive letters) and the folder tree of the chosen drive. The folder opened last (double
// click) is the result; OK stores it as the setting SavePath, Cancel stores nothing.
#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QFileSystemModel;
class QPushButton;
class QTreeView;
class QModelIndex;

namespace lumora {

class SettingsStore;

class LumGetDir : public QDialog {
  Q_OBJECT

 public:
  explicit LumGetDir(SettingsStore& settings, QWidget* parent = nullptr);

  // The folder the list is positioned on (native separators).
  QString currentFolder() const;
  // Opens `folder` in the folder list, as a double click on it does; a folder that does not
  // exist leaves the list where it is. False when nothing changed.
  bool openFolder(const QString& folder);
  QFileSystemModel* folderModel() const { return model_; }

 private:
  void arDrive_Change(int index);
  void ARFolder_DoubleClick(const QModelIndex& index);
  void cmdOk_Click();
  void buildControls();
  void positionOnStoredFolder();
  QString driveOf(const QString& folder) const;

  SettingsStore& settings_;
  QFileSystemModel* model_;
  QComboBox* arDrive;
  QTreeView* ARFolder;
  QPushButton* cmdOk;
  QPushButton* cmdCancel;
  QString current_;
};

}  // namespace lumora
