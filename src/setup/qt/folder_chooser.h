// The folder chooser "Destination Folder": a drive list (a single root where there are no
// drive letters) and the folder tree of the chosen drive. The folder opened last (double
// click) is the result; OK stores it as the setting SavePath, Cancel stores nothing.
// "&New Folder" asks for a name and makes that folder inside the current one, then opens it.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QComboBox;
class QFileSystemModel;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace lumora {

class Questions;
class SettingsStore;

class FolderChooser : public QDialog {
  Q_OBJECT

 public:
  // Opens on the stored save folder; where that does not exist, on `defaultSaveFolder`, then
  // on the root of the stored folder's drive, then on the first drive.
  FolderChooser(SettingsStore& settings, Questions& questions, std::string defaultSaveFolder,
                QWidget* parent = nullptr);

  // The folder the list is positioned on (native separators).
  QString currentFolder() const;
  // Opens `folder` in the folder list, as a double click on it does; a folder that does not
  // exist leaves the list where it is. False when nothing changed.
  bool openFolder(const QString& folder);
  QFileSystemModel* folderModel() const { return model_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void onDriveChosen(int index);
  void onFolderDoubleClicked(const QModelIndex& index);
  void onOkClicked();
  void onNewFolderClicked();
  void scrollToCurrent();
  void buildControls();
  void openStoredFolder(const std::string& defaultSaveFolder);
  QString driveOf(const QString& folder) const;

  SettingsStore& settings_;
  Questions& questions_;
  QFileSystemModel* model_;
  QComboBox* driveList_;
  QTreeView* folderTree_;
  QPushButton* newFolderButton_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
  QString current_;
};

}  // namespace lumora
