#include "setup/qt/setup_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <utility>

#include "base/core/app_identity.h"
#include "base/core/ascii_text.h"
#include "base/core/file_replace.h"
#include "base/qt/qt_text.h"
#include "base/qt/questions.h"
#include "base/qt/settings_store.h"
#include "base/qt/twips.h"
#include "setup/core/port_choice.h"
#include "setup/core/port_device.h"
#include "setup/core/save_folder_texts.h"
#include "setup/qt/auto_start.h"
#include "setup/qt/folder_chooser.h"
#include "setup/qt/port_list_widget.h"
#include "setup/qt/probe_runner.h"

namespace lumora {
namespace {

// Check-box options are stored as "0" and "1".
std::string_view boxSetting(const QCheckBox* box) { return box->isChecked() ? "1" : "0"; }

void setBox(QCheckBox* box, std::int32_t stored) { box->setChecked(stored != 0); }

// Leading and trailing blanks only; tabs and other white space stay.
QString trimmedBlanks(const QString& text) { return toQString(trimBlanks(text.toStdString())); }

}  // namespace

SetupDialog::SetupDialog(SettingsStore& settings, Questions& questions, AutoStart& autoStart, SetupHelp help,
                         std::string defaultSaveFolder, int portNotOpen, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      questions_(questions),
      autoStart_(autoStart),
      help_(std::move(help)),
      defaultSaveFolder_(std::move(defaultSaveFolder)),
      portNotOpen_(portNotOpen),
      runner_(new ProbeRunner(settings.lookup(), this)) {
  setObjectName(QStringLiteral("setupDialog"));
  setWindowTitle(QStringLiteral("Corvane Lumora Trace Server Setup"));
  setModal(true);
  useFormFont(this);
  setFixedSize(twips(9420), twips(5670));
  buildHelpArea();
  buildPortFrame();
  buildSaveFrame();
  buildOptionsFrame();
  buildHelpFrame();
  fitContents();
  connect(runner_, &ProbeRunner::finished, this, &SetupDialog::onProbeFinished);
  loadSettings();
  refreshPortList();
}

SetupDialog::~SetupDialog() { setBusy(false); }

bool SetupDialog::probing() const { return runner_->running(); }

void SetupDialog::loadSettings() {
  saveFolderEdit_->setText(toQString(readSaveFolder(settings_.lookup(), defaultSaveFolder_)));
  setBox(promptBox_, settings_.readWhole(Setting::Prompt));
  setBox(autoStartBox_, settings_.readWhole(Setting::AutoStart));
  setBox(bypassNotificationBox_, settings_.readWhole(Setting::BypassNotification));
}

// The whole dialog is disabled under a busy cursor while the probe runs, so no click can
// start a second one.
void SetupDialog::setBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  setEnabled(!busy);
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void SetupDialog::refreshPortList() {
  setBusy(true);
  // Ports are 1 to 16; a hand-edited number beyond 16 bits must not wrap onto one of them.
  const std::int32_t port = settings_.readWhole(Setting::Port);
  configuredPort_ = portNumberUsable(port) ? port : 0;
  configuredSpeed_ = settings_.readWhole(Setting::Speed);
  showEntries(initialPortList(configuredPort_, configuredSpeed_));
  runner_->start(configuredPort_, configuredSpeed_, configuredPort_ != portNotOpen_);
}

void SetupDialog::onProbeFinished(const PortList& entries) {
  showEntries(entries);
  setBusy(false);
  emit probeFinished();
}

void SetupDialog::showEntries(const PortList& entries) {
  portList_->clear();
  int port = 0;
  for (const PortEntry& entry : entries) {
    auto* item = new QListWidgetItem(toQString(entry.text), portList_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(entry.ticked ? Qt::Checked : Qt::Unchecked);
    ++port;
    item->setToolTip(toQString(portEntryTip(port, entry.text, portDevice(port, settings_.lookup()))));
  }
}

// The list has toggled the current entry's box already.
void SetupDialog::onPortTickToggled() {
  const int row = portList_->currentRow();
  if (row < 0 || probing()) return;
  QListWidgetItem* item = portList_->item(row);
  const bool ticked = item->checkState() == Qt::Checked;
  switch (classifyPortClick(item->text().toStdString(), ticked)) {
    case PortClick::Refused:
      item->setCheckState(Qt::Unchecked);
      return;
    case PortClick::Cleared:
      configuredPort_ = 0;
      settings_.write(Setting::Port, 0);
      refreshPortList();
      return;
    case PortClick::Chosen:
      for (int other = 0; other < portList_->count(); ++other) {
        if (other != row) portList_->item(other)->setCheckState(Qt::Unchecked);
      }
      configuredPort_ = row + 1;
      settings_.write(Setting::Port, configuredPort_);
      askPortSpeed();
      refreshPortList();
      return;
  }
}

// Asks until the answer is empty (nothing stored) or a speed above 300 and below 256000.
void SetupDialog::askPortSpeed() {
  for (;;) {
    const std::int32_t current = settings_.readWhole(Setting::Speed);
    const std::optional<QString> answer =
        questions_.inputText(this, toQString(speedQuestionPrompt(configuredPort_)),
                             toQString(kSpeedQuestionTitle), QString::number(current));
    const SpeedAnswer speed = readSpeedAnswer(answer ? answer->toStdString() : std::string{});
    if (speed.kind == SpeedAnswer::Kind::Stop) return;
    if (speed.kind == SpeedAnswer::Kind::Accept) {
      settings_.write(Setting::Speed, speed.speed);
      return;
    }
  }
}

// True when the text, trimmed of blanks, names a folder that takes trace files; otherwise
// the user has been told why and the dialog stays. An empty text is refused like a missing
// folder; a folder the file system will not create (missing parent, a name it refuses) puts
// the default folder back in the box.
bool SetupDialog::validateSaveFolder() {
  const QString folder = trimmedBlanks(saveFolderEdit_->text());
  saveFolderEdit_->setText(folder);
  if ((folder.isEmpty() || !QFileInfo::exists(folder)) && !createMissingFolder(folder)) return false;
  return takesTraces(folder);
}

// Asks before creating; false when the user declines or the folder cannot be made.
bool SetupDialog::createMissingFolder(const QString& folder) {
  const QString question = toQString(missingFolderQuestion(folder.toStdString()));
  if (questions_.ask(this, question, toQString(kApplicationTitle), Buttons::YesNoCancel, Icon::None) != Answer::Yes)
    return false;
  if (folder.isEmpty() || !QDir().mkdir(folder)) {
    questions_.ask(this, toQString(kFolderNotCreatedText), toQString(kFolderNotCreatedTitle), Buttons::Ok,
                   Icon::Error);
    saveFolderEdit_->setText(toQString(defaultSaveFolder_));
    return false;
  }
  questions_.ask(this, toQString(folderCreatedText(folder.toStdString())), toQString(kFolderCreatedTitle),
                 Buttons::Ok, Icon::Information);
  return true;
}

// A folder without room for a file of ours (read-only, a system folder, not a folder at all)
// would have every trace answered "not saved": the user hears it now, not at the next upload.
bool SetupDialog::takesTraces(const QString& folder) {
  const std::optional<Problem> problem = folderWriteProblem(folder.toStdString());
  if (!problem) return true;
  questions_.ask(this, toQString(folderRefusesTracesText(folder.toStdString(), problem->text)),
                 toQString(kApplicationTitle), Buttons::Ok, Icon::Error);
  return false;
}

// The save folder must pass its check first; then every setting is stored.
void SetupDialog::onOkClicked() {
  if (!validateSaveFolder()) {
    saveFolderEdit_->setFocus();
    return;
  }
  configuredPort_ = 0;
  for (int row = 0; row < portList_->count(); ++row) {
    if (portList_->item(row)->checkState() == Qt::Checked) {
      configuredPort_ = row + 1;
      break;
    }
  }
  settings_.write(Setting::Port, configuredPort_);
  settings_.write(Setting::Speed, configuredSpeed_);
  settings_.write(Setting::SavePath, saveFolderEdit_->text().toStdString());
  settings_.write(Setting::AutoStart, boxSetting(autoStartBox_));
  settings_.write(Setting::Prompt, boxSetting(promptBox_));
  settings_.write(Setting::BypassNotification, boxSetting(bypassNotificationBox_));
  accept();
}

// The chooser stores SavePath itself when accepted; the box shows what is stored. With
// nothing stored that is the default save folder, as everywhere else: the program's own
// folder would have traces saved, listed and deleted among the program's files.
// A chosen folder that takes no files is put back as it was stored, so that cancelling setup
// afterwards cannot leave it in force.
void SetupDialog::onBrowseClicked() {
  const std::string_view key = infoOf(Setting::SavePath).key;
  const std::optional<std::string> stored = settings_.readKey(key);
  FolderChooser chooser(settings_, questions_, defaultSaveFolder_, this);
  if (chooser.exec() == QDialog::Accepted && !takesTraces(chooser.currentFolder())) settings_.restoreKey(key, stored);
  saveFolderEdit_->setText(toQString(settings_.readOr(Setting::SavePath, defaultSaveFolder_)));
}

void SetupDialog::done(int result) {
  runner_->stop();
  setBusy(false);
  autoStart_.remove();
  if (autoStartBox_->isChecked()) autoStart_.add();
  QDialog::done(result);
}

}  // namespace lumora
