// The setup dialog: the tracer's serial port (list of 16 ports with the modem probe) and its
// speed, the save folder, three options, and the help buttons. Settings are stored as the
// user goes (port, speed, chosen folder) and on OK (everything); every close applies the
// auto-start box. The save folder in use is not the dialog's: whoever opened it reads the
// stored setting when the link starts again.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "setup/core/port_list.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lumora {

class AutoStart;
class PortListWidget;
class ProbeRunner;
class Questions;
class SettingsStore;

// The help the dialog offers: the set-up help text at its top and its three help buttons,
// each shown over the dialog.
struct SetupHelp {
  QString text;
  std::function<void(QWidget* parent)> tracerSetup, maintenance, dailyOperation;
};

class SetupDialog : public QDialog {
  Q_OBJECT

 public:
  // Loads the dialog: fills the controls from the settings and starts the port probe.
  // `defaultSaveFolder` stands in for a save folder never stored, and replaces a typed one
  // that cannot be created. `portNotOpen` is a port (1 to 16) the link lost or could not open,
  // which the list does not call in use; 0 for none.
  SetupDialog(SettingsStore& settings, Questions& questions, AutoStart& autoStart, SetupHelp help,
              std::string defaultSaveFolder, int portNotOpen = 0, QWidget* parent = nullptr);
  ~SetupDialog() override;

  bool probing() const;

 signals:
  // A probe has filled the port list and the dialog is usable again.
  void probeFinished();

 protected:
  // Runs on every close (OK, the close box, Escape): applies the auto-start box.
  void done(int result) override;

 private:
  // The controls, in setup_dialog_layout.cpp.
  void buildHelpArea();
  void buildPortFrame();
  void buildSaveFrame();
  void buildOptionsFrame();
  void buildHelpFrame();
  void fitContents();
  int portListWidthNeeded();
  int helpHeightNeeded() const;

  void loadSettings();
  void setBusy(bool busy);
  void onOkClicked();

  // The port list: probed again after every change of the configured port.
  void refreshPortList();
  void onProbeFinished(const PortList& entries);
  void showEntries(const PortList& entries);
  void onPortTickToggled();
  void askPortSpeed();

  // The save folder: checked on OK, chosen with the browse button.
  bool validateSaveFolder();
  bool createMissingFolder(const QString& folder);
  bool takesTraces(const QString& folder);
  void onBrowseClicked();

  SettingsStore& settings_;
  Questions& questions_;
  AutoStart& autoStart_;
  SetupHelp help_;
  std::string defaultSaveFolder_;
  int portNotOpen_;
  ProbeRunner* runner_;
  bool busy_ = false;
  int configuredPort_ = 0;           // 1 to 16, 0 for none
  std::int32_t configuredSpeed_ = 0;  // bits per second

  QPlainTextEdit* helpText_ = nullptr;
  PortListWidget* portList_ = nullptr;
  QLineEdit* saveFolderEdit_ = nullptr;
  QPushButton* browseButton_ = nullptr;
  QCheckBox* bypassNotificationBox_ = nullptr;
  QCheckBox* promptBox_ = nullptr;
  QCheckBox* autoStartBox_ = nullptr;
  QPushButton* okButton_ = nullptr;
};

}  // namespace lumora
