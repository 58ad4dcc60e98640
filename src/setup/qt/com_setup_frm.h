// The setup dialog: the tracer's serial port (list of 16 ports with the modem probe) and its
// speed, the save folder, three options, and the help buttons. Settings are stored as the
// user goes (port, speed, chosen folder) and on OK (everything); every close applies the
// auto-start box.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>

#include "setup/core/port_list.h"

class QCheckBox;
class QGroupBox;
class QPlainTextEdit;
class QLineEdit;
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

class ComSetupFrm : public QDialog {
  Q_OBJECT

 public:
  // Loads the dialog: fills the controls from the settings and starts the port probe.
  ComSetupFrm(SettingsStore& settings, Questions& questions, AutoStart& autoStart, SetupHelp help,
              QWidget* parent = nullptr);
  ~ComSetupFrm() override;

  bool probing() const;

  // A tick toggled in the port list (mouse or keyboard), after the list has toggled it.
  void List1_MouseUp();
  // Checks the save folder text; true (Cancel) keeps the user in the text box.
  bool SaveDirectoryText_Validate();

 signals:
  // A probe has filled the port list and the dialog is usable again.
  void probeFinished();

 protected:
  // The unload step runs on every close: OK, the close box, Escape.
  void done(int result) override;

 private:
  void buildHelpArea();
  void buildPortFrame();
  void buildSaveFrame();
  void buildOptionsFrame();
  void buildHelpFrame();
  void loadSettings();
  void RefreshComList();
  void showEntries(const PortList& entries);
  void probeDone(const PortList& entries);
  void GetPortBaudRate();
  void Command1_Click();
  void Command2_Click();
  bool createMissingFolder(const QString& folder);
  bool takesTraces(const QString& folder);
  void setBusy(bool busy);

  SettingsStore& settings_;
  Questions& questions_;
  AutoStart& autoStart_;
  SetupHelp help_;
  ProbeRunner* runner_;
  bool busy_ = false;
  std::int16_t ConfiguredPort = 0;
  std::int32_t ConfiguredSpeed = 0;  // bits per second

  QPlainTextEdit* Label4 = nullptr;
  QGroupBox* Frame1 = nullptr;
  PortListWidget* List1 = nullptr;
  QGroupBox* Frame6 = nullptr;
  QLineEdit* SaveDirectoryText = nullptr;
  QPushButton* Command2 = nullptr;
  QGroupBox* Frame8 = nullptr;
  QCheckBox* DontShowCheck = nullptr;
  QCheckBox* Check1 = nullptr;
  QCheckBox* AutoStartCheck = nullptr;
  QGroupBox* Frame9 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command1 = nullptr;
};

}  // namespace lumora
