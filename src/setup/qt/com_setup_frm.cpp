#include "setup/qt/com_setup_frm.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "base/core/app_identity.h"
#include "base/qt/qt_text.h"
#include "base/qt/questions.h"
#include "base/qt/twips.h"
#include "setup/core/port_choice.h"
#include "setup/core/save_folder_texts.h"
#include "setup/qt/auto_start.h"
#include "setup/qt/lum_get_dir.h"
#include "setup/qt/port_list_widget.h"
#include "setup/qt/probe_runner.h"
#include "base/qt/settings_store.h"
#include "base/core/file_replace.h"
#include "base/core/shared_values.h"

namespace lumora {
namespace {

// Check-box options are stored as "0" and "1".
std::string_view boxSetting(const QCheckBox* box) { return box->isChecked() ? "1" : "0"; }

void setBox(QCheckBox* box, std::int32_t stored) { box->setChecked(stored != 0); }

// Leading and trailing blanks only; tabs and other white space stay.
QString trimBlanks(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first] == u' ') ++first;
  while (last > first && text[last - 1] == u' ') --last;
  return text.mid(first, last - first);
}

}  // namespace

ComSetupFrm::ComSetupFrm(SettingsStore& settings, Questions& questions, AutoStart& autoStart,
                         SetupHelp help, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      questions_(questions),
      autoStart_(autoStart),
      help_(std::move(help)),
      runner_(new ProbeRunner(settings.lookup(), this)) {
  setObjectName(QStringLiteral("ComSetupFrm"));
  setWindowTitle(QStringLiteral("Corvane Lumora Trace Server Setup"));
  setModal(true);
  useFormFont(this);
  setFixedSize(twips(9420), twips(5670));
  buildHelpArea();
  buildPortFrame();
  buildSaveFrame();
  buildOptionsFrame();
  buildHelpFrame();
  connect(Command1, &QPushButton::clicked, this, &ComSetupFrm::Command1_Click);
  connect(Command3, &QPushButton::clicked, this,
          [this] { help_.tracerSetup(this); });
  connect(Command4, &QPushButton::clicked, this,
          [this] { help_.maintenance(this); });
  connect(Command5, &QPushButton::clicked, this,
          [this] { help_.dailyOperation(this); });
  connect(runner_, &ProbeRunner::finished, this, &ComSetupFrm::probeDone);
  loadSettings();
  RefreshComList();
}

ComSetupFrm::~ComSetupFrm() { setBusy(false); }

bool ComSetupFrm::probing() const { return runner_->running(); }

void ComSetupFrm::loadSettings() {
  SaveDirectoryText->setText(toQString(settings_.read(Setting::SavePath)));
  setBox(Check1, settings_.readWhole(Setting::Prompt));
  setBox(AutoStartCheck, settings_.readWhole(Setting::AutoStart));
  setBox(DontShowCheck, settings_.readWhole(Setting::DontShow1));
}

// The whole dialog is disabled under a busy cursor while the probe runs, so no click can
// start a second one.
void ComSetupFrm::setBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  setEnabled(!busy);
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void ComSetupFrm::RefreshComList() {
  setBusy(true);
  // Ports are 1 to 16; a hand-edited number beyond 16 bits must not wrap onto one of them.
  const std::int32_t port = settings_.readWhole(Setting::Port);
  ConfiguredPort = static_cast<std::int16_t>(portNumberUsable(port) ? port : 0);
  ConfiguredSpeed = settings_.readWhole(Setting::Speed);
  showEntries(InitialPortList(ConfiguredPort, ConfiguredSpeed));
  runner_->start(ConfiguredPort, ConfiguredSpeed);
}

void ComSetupFrm::probeDone(const PortList& entries) {
  showEntries(entries);
  setBusy(false);
  emit probeFinished();
}

void ComSetupFrm::showEntries(const PortList& entries) {
  List1->clear();
  for (const PortEntry& entry : entries) {
    auto* item = new QListWidgetItem(toQString(entry.Text), List1);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(entry.Ticked ? Qt::Checked : Qt::Unchecked);
  }
}

void ComSetupFrm::List1_MouseUp() {
  const int row = List1->currentRow();
  if (row < 0 || probing()) return;
  QListWidgetItem* item = List1->item(row);
  const bool ticked = item->checkState() == Qt::Checked;
  switch (ClassifyPortClick(item->text().toStdString(), ticked)) {
    case PortClick::Refused:
      item->setCheckState(Qt::Unchecked);
      return;
    case PortClick::Cleared:
      ConfiguredPort = 0;
      settings_.write(Setting::Port, 0);
      RefreshComList();
      return;
    case PortClick::Chosen:
      for (int other = 0; other < List1->count(); ++other) {
        if (other != row) List1->item(other)->setCheckState(Qt::Unchecked);
      }
      ConfiguredPort = static_cast<std::int16_t>(row + 1);
      settings_.write(Setting::Port, ConfiguredPort);
      GetPortBaudRate();
      RefreshComList();
      return;
  }
}

// Asks until the answer is empty (nothing stored) or a speed above 300 and below 256000.
void ComSetupFrm::GetPortBaudRate() {
  for (;;) {
    const std::int32_t current = settings_.readWhole(Setting::Speed);
    const std::optional<QString> answer =
        questions_.inputText(this, toQString(SpeedQuestionPrompt(ConfiguredPort)),
                             toQString(SpeedQuestionTitle), QString::number(current));
    const SpeedAnswer speed = ReadSpeedAnswer(answer ? answer->toStdString() : std::string{});
    if (speed.What == SpeedAnswer::Kind::Stop) return;
    if (speed.What == SpeedAnswer::Kind::Accept) {
      settings_.write(Setting::Speed, speed.Speed);
      return;
    }
  }
}

// True (the dialog stays) unless the text names a folder that takes trace files. An empty
// text is refused like a missing folder; a folder the file system will not create (missing
// parent, a name it refuses) falls back to the default folder.
bool ComSetupFrm::SaveDirectoryText_Validate() {
  const QString folder = trimBlanks(SaveDirectoryText->text());
  SaveDirectoryText->setText(folder);
  if ((folder.isEmpty() || !QFileInfo::exists(folder)) && !createMissingFolder(folder)) return true;
  return !takesTraces(folder);
}

// Asks before creating; false when the user declines or the folder cannot be made.
bool ComSetupFrm::createMissingFolder(const QString& folder) {
  const QString question = toQString(MissingFolderQuestion(folder.toStdString()));
  if (questions_.ask(this, question, toQString(kApplicationTitle), Buttons::YesNoCancel, Icon::None) != Answer::Yes)
    return false;
  if (folder.isEmpty() || !QDir().mkdir(folder)) {
    questions_.ask(this, toQString(FolderNotCreatedText), toQString(FolderNotCreatedTitle), Buttons::Ok, Icon::Error);
    SaveDirectoryText->setText(toQString(Shared().DefaultSavePath));
    return false;
  }
  questions_.ask(this, toQString(FolderCreatedText(folder.toStdString())), toQString(FolderCreatedTitle), Buttons::Ok,
                 Icon::Information);
  return true;
}

// A folder without room for a file of ours (read-only, a system folder, not a folder at all)
// would have every trace answered "not saved": the user hears it now, not at the next upload.
bool ComSetupFrm::takesTraces(const QString& folder) {
  const auto problem = folderWriteProblem(folder.toStdString());
  if (!problem) return true;
  questions_.ask(this, toQString(FolderRefusesTracesText(folder.toStdString(), problem->text)), toQString(kApplicationTitle), Buttons::Ok,
                 Icon::Error);
  return false;
}

// OK: the save folder must pass its check first; then every setting is stored.
void ComSetupFrm::Command1_Click() {
  if (SaveDirectoryText_Validate()) {
    SaveDirectoryText->setFocus();
    return;
  }
  ConfiguredPort = 0;
  for (int row = 0; row < List1->count(); ++row) {
    if (List1->item(row)->checkState() == Qt::Checked) {
      ConfiguredPort = static_cast<std::int16_t>(row + 1);
      break;
    }
  }
  const std::string folder = trimBlanks(SaveDirectoryText->text()).toStdString();
  settings_.write(Setting::Port, ConfiguredPort);
  settings_.write(Setting::Speed, ConfiguredSpeed);
  settings_.write(Setting::SavePath, folder);
  settings_.write(Setting::AutoStart, boxSetting(AutoStartCheck));
  settings_.write(Setting::Prompt, boxSetting(Check1));
  settings_.write(Setting::DontShow1, boxSetting(DontShowCheck));
  Shared().SavePath = folder;
  accept();
}

// Browse: the chooser stores SavePath itself when accepted; the box shows what is stored.
// With nothing stored that is the default save folder, as everywhere else: the program's own
// folder would have traces saved, listed and deleted among the program's files.
// A chosen folder that takes no files is put back as it was stored, so that cancelling setup
// afterwards cannot leave it in force.
void ComSetupFrm::Command2_Click() {
  const std::string_view key = infoOf(Setting::SavePath).key;
  const std::optional<std::string> stored = settings_.readKey(key);
  LumGetDir chooser(settings_, this);
  if (chooser.exec() == QDialog::Accepted && !takesTraces(chooser.currentFolder())) settings_.restoreKey(key, stored);
  SaveDirectoryText->setText(toQString(settings_.readOr(Setting::SavePath, Shared().DefaultSavePath)));
  Shared().SavePath = SaveDirectoryText->text().toStdString();
}

void ComSetupFrm::done(int result) {
  runner_->stop();
  setBusy(false);
  autoStart_.remove();
  if (AutoStartCheck->isChecked()) autoStart_.add();
  QDialog::done(result);
}

}  // namespace lumora
