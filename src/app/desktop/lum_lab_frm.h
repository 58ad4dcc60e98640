// The main window: the last trace with its order number and status, the activity views, the
// File and Help menus, the notification icon, the port-opening loop and shutdown. The link
// itself runs in a LinkSession the window owns; the window only shows what it reports and
// passes on the operator's answers.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/desktop/desktop_services.h"
#include "base/qt/save_folder.h"

class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QWidget;

namespace lumora {

class LinkSession;
class NotifyIcon;
class TracePic;

class LumLabfrm : public QMainWindow {
  Q_OBJECT

 public:
  // The activity list `List1` keeps this many of the newest lines.
  static constexpr int kActivityLinesKept = 10000;

  explicit LumLabfrm(DesktopServices services, QWidget* parent = nullptr);
  ~LumLabfrm() override;

  // The start-up steps after the single-instance test: settings, captions, help texts, the
  // port-opening loop, the save folder, the icon. False when the operator gave up in a port
  // message (the program then ends; the icon was never added).
  bool Form_Load();
  // Opens the configured port, through the setup dialog as often as needed. False when the
  // operator chose Cancel in a port message.
  bool SetComPorts();

  // Buttons of the trace view by index: 0 "&Save", 1 "&Cancel", 2 "Close".
  void Command1_Click(int index);
  // Loads the trace file at `path` (bytes, as the link named it), draws its right eye and
  // shows its measurements.
  void ShowStoredTrace(const std::string& path);
  // "E&xit (Shutdown)": asks, then shuts down on Yes.
  void Exitmnu_Click();
  // Closes the link and the icon and ends the event loop.
  void shutdown();

  LinkSession* link() const { return link_.get(); }
  TracePic& tracePicture() const { return *TracePic_; }
  QMenu& fileMenu() const { return *Filemnu; }
  const NotifyIcon& notifyIcon() const { return *icon_; }

 protected:
  // The close box only hides the window (where there is a notification area to come back
  // from); the program ends through "E&xit (Shutdown)".
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void setPromptButtonsVisible(bool visible);
  void buildFileMenu();
  void buildHelpMenu();
  void addMenuAction(QMenu* menu, const char* name, const char* caption, std::function<void()> handler);
  QWidget* buildTraceView();
  QWidget* buildActivityViews();
  void connectLink();
  void startLink(int port, int speed);
  void stopLink();
  void showActivityView(QWidget* list);
  void runSetup();
  void showWindow();
  void hideToTray();

  DesktopServices services_;
  SaveFolder saveFolder_;  // outlives the link, which stores traces there
  std::unique_ptr<LinkSession> link_;
  NotifyIcon* icon_ = nullptr;
  bool shuttingDown_ = false;

  QMenu* Filemnu = nullptr;
  QWidget* Frame1 = nullptr;
  TracePic* TracePic_ = nullptr;
  QLabel* TraceLabel = nullptr;
  QLabel* CircumLbl = nullptr;
  QLabel* FrameEDlbl = nullptr;
  QLabel* FrameBlbl = nullptr;
  QLabel* FrameAlbl = nullptr;
  QLabel* NasalRightLbl = nullptr;
  QLabel* FrameDBLlbl = nullptr;
  QLabel* FrameTypelbl = nullptr;
  QLabel* Helplbl = nullptr;
  std::array<QPushButton*, 3> Command1{};
  QListWidget* List1 = nullptr;
  QListWidget* List2 = nullptr;
  QPushButton* Command2 = nullptr;
};

}  // namespace lumora
