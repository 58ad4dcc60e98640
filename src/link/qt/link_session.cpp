#include "link/qt/link_session.h"

#include <QDateTime>
#include <QLocale>
#include <QUtf8StringView>
#include <utility>

#include "base/core/file_replace.h"
#include "link/core/trace_file_writer.h"
#include "link/qt/local_stamp.h"

namespace lumora {
namespace {

// Engine texts are bytes: paths and messages are UTF-8; tracer bytes that are not valid
// UTF-8 are shown one character per byte.
QString fromLink(const std::string& text) {
  if (QUtf8StringView(text).isValidUtf8()) return QString::fromStdString(text);
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LinkSession::LinkSession(Settings settings, SaveFolder& saveFolder, QObject* parent)
    : QObject(parent),
      settings_(std::move(settings)),
      saveFolder_(saveFolder),
      engine_(settings_.portNumber, settings_.prompt) {
  clock_.start();
  deadline_.setSingleShot(true);
  // A coarse timer may wake a quarter second up to 12 ms late; the engine decides from the
  // time it is given, so an early wake-up only re-arms the timer.
  deadline_.setTimerType(Qt::PreciseTimer);
  connect(&deadline_, &QTimer::timeout, this, &LinkSession::onDeadline);
  reopen_.setInterval(settings_.reopenIntervalMs);
  connect(&reopen_, &QTimer::timeout, this, &LinkSession::tryReopen);
  connect(&port_, &SerialPort::bytesRead, this, &LinkSession::onBytes);
  connect(&port_, &SerialPort::failed, this, &LinkSession::onPortFailed);
  // A store cut short by a kill leaves its temporary file; nobody else would remove it.
  removeLeftoverTemporaryFiles(saveFolder_.path());
}

// Closing a port whose device is gone can report the loss once more; nothing here may
// answer it while the members are being torn down.
LinkSession::~LinkSession() {
  port_.disconnect(this);
  close();
}

SerialPort::OpenResult LinkSession::open() {
  wanted_ = false;  // closing the port first may report the loss of its old device
  reopen_.stop();
  const auto result = port_.open(settings_.device, settings_.speed);
  wanted_ = true;
  arm();
  return result;
}

void LinkSession::close() {
  wanted_ = false;  // a loss reported while closing is no reason to reopen
  reopen_.stop();
  deadline_.stop();
  port_.close();
}

void LinkSession::finishArrived() {
  port_.readWaiting();  // bytesRead() hands them to the engine, which stores at once
}

// The stamp is written out once a second at most: bytes arrive in many small reads.
Instant LinkSession::now() const {
  const QDateTime local = QDateTime::currentDateTime();
  if (const qint64 second = local.toSecsSinceEpoch(); second != stampSecond_) {
    stampSecond_ = second;
    stamp_ = localStamp(local, QLocale::system()).toStdString();
  }
  return Instant{clock_.nsecsElapsed() / 1000, stamp_};
}

void LinkSession::onBytes(const QByteArray& bytes) {
  if (applying_) {
    heldInput_ += bytes;
    return;
  }
  handle(engine_.receive(
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), now()));
}

void LinkSession::onDeadline() { handle(engine_.expire(now())); }

void LinkSession::handle(Outputs outputs) {
  applying_ = true;
  for (;;) {
    for (const Output& output : outputs) apply(output);
    if (diskAnswer_) {
      outputs = std::exchange(diskAnswer_, nullptr)(now());
      continue;
    }
    if (heldInput_.isEmpty()) break;
    const QByteArray bytes = std::exchange(heldInput_, {});
    outputs = engine_.receive(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), now());
  }
  applying_ = false;
  arm();
  if (engine_.phase() != phase_) {
    phase_ = engine_.phase();
    emit phaseChanged();
  }
}

void LinkSession::arm() {
  const auto due = engine_.deadline();
  if (!due) {
    deadline_.stop();
    return;
  }
  const std::int64_t waitMicros = std::max<std::int64_t>(0, *due - clock_.nsecsElapsed() / 1000);
  deadline_.start(static_cast<int>((waitMicros + 999) / 1000));
}

void LinkSession::apply(const Output& output) {
  const auto text = [&output] { return fromLink(output.text); };
  switch (output.kind) {
    case OutputKind::Write: port_.write(QByteArray::fromStdString(output.text)); break;
    case OutputKind::DiscardInput: port_.discardInput(); break;
    case OutputKind::Activity: emit activityAdded(text()); break;
    case OutputKind::RawDataCleared: emit rawDataCleared(); break;
    case OutputKind::RawDataAdded: emit rawDataAdded(text()); break;
    case OutputKind::RawDataReplaced: emit rawDataReplaced(static_cast<int>(output.index), text()); break;
    case OutputKind::OrderLabel: emit orderLabelChanged(text()); break;
    case OutputKind::StatusLabel: emit statusLabelChanged(text()); break;
    case OutputKind::ShowBrandMessage: emit brandMessageRequested(text()); break;
    case OutputKind::StoreTrace: {
      const std::string& folder = output.folder.empty() ? saveFolder_.path() : output.folder;
      diskAnswer_ = [this, problem = writeTraceFile(folder, output.name, output.text)](const Instant& at) {
        return engine_.storeFinished(problem, at);
      };
      break;
    }
    case OutputKind::CheckFolder:
      diskAnswer_ = [this, problem = folderWriteProblem(output.folder)](const Instant& at) {
        return engine_.folderChecked(problem, saveFolder_.path(), at);
      };
      break;
    case OutputKind::ShowTrace:
      emit showTraceRequested(fromLink(output.name),
                              QByteArray::fromStdString(traceFilePath(saveFolder_.path(), output.name)));
      break;
    case OutputKind::SaveFolderChanged: saveFolder_.setPath(output.folder); break;
    case OutputKind::EnableSave: emit saveEnabled(); break;
    case OutputKind::PromptOperator: emit promptRequested(); break;
    case OutputKind::PromptEnded: emit promptEnded(); break;
    case OutputKind::UploadEnded: {
      UploadEnd end = output.end;
      if (!end.file.empty() && end.folder.empty()) end.folder = saveFolder_.path();
      emit uploadEnded(end);
      break;
    }
  }
}

// An answer given from a slot of one of this session's own signals waits until the outputs
// being applied are done.
void LinkSession::answer(EngineCall call) {
  if (applying_) {
    QMetaObject::invokeMethod(
        this, [this, call] { answer(call); }, Qt::QueuedConnection);
    return;
  }
  handle(call(now()));
}

void LinkSession::brandMessageClosed() {
  answer([this](const Instant& at) { return engine_.brandMessageClosed(at); });
}

void LinkSession::operatorChoseName(const QString& folder, const QString& name) {
  answer([this, folder = folder.toStdString(), name = name.toStdString()](const Instant&) {
    return engine_.operatorChoseName(folder, name);
  });
}

void LinkSession::operatorCancelled() {
  answer([this](const Instant& at) { return engine_.operatorCancelled(at); });
}

// The port closed itself on the first error; it is tried again until the device is back.
void LinkSession::onPortFailed(const QString& reason) {
  if (!wanted_) return;
  emit activityAdded("Port Lost: " + settings_.device + " (" + reason +
                     "); reopening when it returns");
  emit portLost(reason);
  reopen_.start();
}

void LinkSession::tryReopen() {
  if (port_.open(settings_.device, settings_.speed) != SerialPort::OpenResult::Opened) return;
  reopen_.stop();
  emit activityAdded("Port Reopened: " + settings_.device);
  emit portReopened();
  arm();
}

}  // namespace lumora
