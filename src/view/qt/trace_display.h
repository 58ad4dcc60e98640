// The trace maintenance dialog: the files of the save folder in a list with multiple
// selection; deletes the selected traces after a confirmation, selects all, and redraws the
// clicked trace on the main window's picture. Built for folders of 100,000 traces: the folder
// is read once into a list model, and the view lays out only the rows it shows.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <QDialog>

class QListView;
class QPushButton;
class QStringListModel;

namespace lumora {

class PictureSurface;
class Questions;

class TraceDisplay : public QDialog {
  Q_OBJECT

 public:
  // Loads the dialog over the save folder in use (SavePath). A click draws side 0 of the
  // trace on `mainPicture`; with none, only traceDrawn is signalled.
  TraceDisplay(Questions& questions, PictureSurface* mainPicture, QWidget* parent = nullptr);

  const std::string& folder() const { return folder_; }
  // The names the list shows, in its order.
  const std::vector<std::string>& names() const { return names_; }

  // Buttons by index: 0 "&Delete Selected", 1 "&Select All", 2 "Close".
  void Command1_Click(int index);
  // A click on the list: the selected entry with the lowest index is loaded and drawn.
  void File1_Click();

 signals:
  // A click has loaded `name` and drawn it (an empty picture when it is not a trace).
  void traceDrawn(const QString& name);

 private:
  void refreshList();
  void deleteSelected();
  std::vector<bool> selectedFlags() const;

  Questions& questions_;
  PictureSurface* mainPicture_;
  std::string folder_;
  std::vector<std::string> names_;
  QStringListModel* model_;
  QListView* File1;
  std::array<QPushButton*, 3> Command1{};
};

}  // namespace lumora
