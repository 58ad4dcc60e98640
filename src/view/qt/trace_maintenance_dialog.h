// The trace maintenance dialog: the files of the save folder in a list with multiple
// selection; deletes the selected traces after a confirmation, selects all, and draws the
// clicked trace on the main window's picture (keys that move the selection draw as a click
// does), telling whoever opened it which trace it drew. Beside the list it previews the entry
// the list's cursor is on, so that stepping with the arrow keys compares traces. Built for
// folders of 100,000 traces: the folder is read once into a list model, and the view lays out
// only the rows it shows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

class QListView;
class QStringListModel;

namespace lumora {

class PictureSurface;
class Questions;
class TracePreview;
class TraceRecord;
struct ScreenCalibration;

class TraceMaintenanceDialog : public QDialog {
  Q_OBJECT

 public:
  // Loads the dialog over `folder` (UTF-8), the save folder in use when it opens; the list
  // stays that folder's, whatever the save folder becomes meanwhile. A click draws on
  // `mainPicture` at `calibration`; both must outlive the dialog. `drawn` hears each trace
  // drawn, with its file name.
  using TraceDrawn = std::function<void(const TraceRecord& trace, const std::string& name)>;
  TraceMaintenanceDialog(Questions& questions, std::string folder, PictureSurface& mainPicture,
                         const ScreenCalibration& calibration, TraceDrawn drawn = {}, QWidget* parent = nullptr);

  // The names the list shows, in its order.
  const std::vector<std::string>& names() const { return names_; }

  // A click on the list: the selected entry with the lowest index is loaded and its right eye
  // drawn (an empty picture when it is not a trace).
  void onTraceClicked();

 private:
  void refreshList();
  void previewCurrent();
  void onDeleteClicked();
  void onSelectAllClicked();
  std::vector<bool> selectedFlags() const;

  Questions& questions_;
  const std::string folder_;
  PictureSurface& mainPicture_;
  const ScreenCalibration& calibration_;
  TraceDrawn drawn_;
  std::vector<std::string> names_;
  QStringListModel* model_;
  QListView* traceList_;
  TracePreview* preview_;
};

}  // namespace lumora
