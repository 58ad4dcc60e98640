// The main window: the last trace with its order number and status, the activity views, the
// File, View and Help menus, the tray icon, the port-opening loop and shutdown. The link itself
// runs in a LinkSession the window owns; the window only shows what it reports and passes on
// the operator's answers. It owns, for the run, the save folder the link stores traces in
// and the screen calibration factors every drawing uses.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/desktop/desktop_services.h"
#include "app/desktop/trace_printing.h"
#include "base/qt/save_folder.h"
#include "link/core/link_output.h"
#include "trace/core/picture_surface.h"
#include "view/core/dimension_labels.h"
#include "view/core/picture_extras.h"
#include "view/core/screen_density.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QKeyEvent;
class QPushButton;
class QWidget;

namespace lumora {

class LinkSession;
class TraceHistoryWindow;
class TrayIcon;
class TracePicture;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // The activity list keeps this many of the newest lines.
  static constexpr int kActivityLinesKept = 10000;

  explicit MainWindow(DesktopServices services, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up steps after the single-instance test: calibration factors, the program's
  // folder as the current one, captions, help texts, the port-opening loop, the icon. False
  // when the operator gave up in a port message (the program then ends; the icon was never
  // added).
  bool start();

  // Loads the trace file at `path` (bytes, as the link named it), draws its right eye and
  // shows its measurements.
  void showStoredTrace(const std::string& path);
  // Closes the link and the icon and ends the event loop.
  void shutdown();
  // A screen whose size makes true size doubtful is named, with the offer to calibrate it,
  // unless a calibration is stored already.
  void offerCalibration(const ScreenReport& screen);

  LinkSession* link() const { return link_.get(); }
  TracePicture& picture() const { return *picture_; }
  QMenu& fileMenu() const { return *fileMenu_; }
  const TrayIcon& trayIcon() const { return *trayIcon_; }

 protected:
  // The close box only hides the window (where there is a notification area to come back
  // from); the program ends through "E&xit (Shutdown)".
  void closeEvent(QCloseEvent* event) override;
  // Esc leaves an activity view.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The trace view's picture: a frame of 100 x 80 mm at the screen's true size.
  static constexpr double kPictureWidthMm = 100, kPictureHeightMm = 80;

  // The controls and menus, in main_window_layout.cpp.
  void buildFileMenu();
  void buildHelpMenu();
  QAction* addMenuAction(QMenu* menu, const char* name, const char* caption, std::function<void()> handler);
  QWidget* buildTraceView();
  QWidget* buildActivityViews();
  void showActivityView(QWidget* list);
  // The View menu's extras of the picture, in main_window_view_menu.cpp.
  void buildViewMenu();
  void setPictureExtra(bool PictureExtras::*extra, bool on);
  // The shown trace drawn again with the extras chosen; nothing when none is shown.
  void drawShownTrace();

  // Opens the configured port; while it does not open, asks OK/Cancel and runs the setup
  // dialog on OK. False when the operator chose Cancel.
  bool openPortThroughSetup();
  void startLink(int port, int speed);
  void stopLink();
  void connectLink();
  void setPromptButtonsVisible(bool visible);
  // The order and dimension labels from pictureLabels_.
  void showLabels();
  // The trace the picture shows, for printing; none disables printing.
  void setShownTrace(std::optional<ShownTrace> shown);
  // The status line, kept aside while a lost port is shown in its place.
  void setStatus(const QString& text);
  void setPortLost(bool lost);
  // The link at a glance in the status bar: port, device, settings, what it is doing.
  void showLinkStatus();

  void onSaveClicked();
  void onCancelClicked();
  void onExitChosen();
  void onSetupChosen();
  void runSetup();
  void runWaitingSetup();
  void openCalibration();
  void openMaintenance();
  void onAboutChosen();
  // The upload history (main_window_history.cpp).
  void addActivity(const QString& line);
  void recordUpload(const UploadEnd& end);
  void openHistory();
  void showHistoryTrace(const QString& path);
  void showWindow();
  void hideToTray();

  QMenu* fileMenu_ = nullptr;
  QAction* printAction_ = nullptr;
  QAction* exportPdfAction_ = nullptr;
  // The trace view: the picture, its dimension labels, the status and the prompt's buttons.
  QWidget* traceView_ = nullptr;
  TracePicture* picture_ = nullptr;
  QLabel* orderLabel_ = nullptr;
  QLabel* boxWidthLabel_ = nullptr;
  QLabel* boxHeightLabel_ = nullptr;
  QLabel* effectiveDiameterLabel_ = nullptr;
  QLabel* circumferenceLabel_ = nullptr;
  QLabel* distanceBetweenLensesLabel_ = nullptr;
  QLabel* frameTypeLabel_ = nullptr;
  QLabel* nasalSideLabel_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  QLabel* linkStatusLabel_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
  // The activity views, shown in the trace view's place from the Help menu.
  QListWidget* activityList_ = nullptr;
  QListWidget* rawDataList_ = nullptr;
  QPushButton* closeListButton_ = nullptr;

  DesktopServices services_;
  SaveFolder saveFolder_;  // outlives the link, which stores traces there
  ScreenCalibration calibration_;
  PictureLabels pictureLabels_;
  std::optional<ShownTrace> shown_;
  PictureExtras pictureExtras_;  // none at start: the picture shows the right eye alone
  int port_ = 0;        // of the link, 1 to 16
  std::string device_;  // the port's device
  bool portLost_ = false;
  QString statusBeforeLoss_;
  bool setupWaiting_ = false;  // "&Setup" waits for an upload to finish
  std::unique_ptr<LinkSession> link_;
  TrayIcon* trayIcon_ = nullptr;
  TraceHistoryWindow* historyWindow_ = nullptr;  // made when first opened
  bool shuttingDown_ = false;
};

}  // namespace lumora
