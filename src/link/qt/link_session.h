// The tracer link on the Qt event loop: the serial port, the link engine and the trace files
// joined together, with the engine's outputs re-emitted as signals for a window or a log.
//
// Received bytes go to the engine as they arrive; one single-shot precise timer is armed
// from the engine's deadline after every call. The outputs of a call are applied in order
// (bytes written, input discarded, traces stored, signals emitted) once the engine has
// returned; the result of a store, an operator answer or input that comes in while they are
// being applied (a slot that answers at once, a modal box that runs its own event loop) is
// handed to the engine right after them, so the engine is never entered from inside its own
// outputs. Traces go to the save folder the session is given, which it asks each time and
// moves when the operator's "&Save" chooses another.
//
// When the device goes away (adapter unplugged) the port is closed once, an activity line
// says so, and the device is tried again every `reopenIntervalMs` until it opens.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "base/qt/save_folder.h"
#include "link/core/link_engine.h"
#include "link/qt/serial_port.h"

namespace lumora {

class LinkSession : public QObject {
  Q_OBJECT

 public:
  struct Settings {
    QString device;               // a path such as /dev/ttyUSB0, or COM3
    qint32 speed = 19200;         // bits per second
    int portNumber = 0;           // the configured port number 1-16, shown in equipment lines
    bool prompt = false;          // the "Prompt" setting
    int reopenIntervalMs = 1000;  // how often a lost device is tried again
  };

  // `saveFolder` must outlive the session; it must exist for traces to be stored.
  LinkSession(Settings settings, SaveFolder& saveFolder, QObject* parent = nullptr);
  ~LinkSession() override;

  // Opens the port; an open port is closed first. The engine keeps its state. A failed
  // open is the caller's to handle (it is not retried; only a lost device is).
  SerialPort::OpenResult open();
  bool isOpen() const { return port_.isOpen(); }
  // Closes the port and stops waiting for a lost device (the setup dialog, shutdown). What
  // is written already still reaches the tracer.
  void close();
  // Before a shutdown: hands the engine what the port holds now, so that a body whose GS has
  // arrived is acknowledged, stored and answered (or its failure reported) first. Takes as
  // long as one store.
  void finishArrived();

  QString settingsText() const { return port_.settingsText(); }
  LinkPhase phase() const { return engine_.phase(); }
  const std::string& currentJob() const { return engine_.currentJob(); }
  bool uploadInProgress() const { return engine_.uploadInProgress(); }

 public slots:
  // The operator closed the wrong-brand message: the refusal goes to the tracer.
  void brandMessageClosed();
  // "&Save" with a new name: the trace waiting is stored as `name` in `folder`, which becomes
  // the save folder unless it takes no files.
  void operatorChoseName(const QString& folder, const QString& name);
  void operatorCancelled();

 signals:
  void activityAdded(const QString& line);
  void rawDataCleared();
  void rawDataAdded(const QString& line);
  void rawDataReplaced(int index, const QString& line);
  void orderLabelChanged(const QString& text);
  void statusLabelChanged(const QString& text);     // LF breaks lines
  void brandMessageRequested(const QString& text);  // answer with brandMessageClosed()
  // Paths stay the engine's bytes: a job number that is not UTF-8 names its file by them.
  void showTraceRequested(const QString& name, const QByteArray& path);  // load it, draw side 0
  void saveEnabled();
  void promptRequested();  // answer with operatorChoseName() or operatorCancelled()
  void promptEnded();
  void portLost(const QString& reason);
  void portReopened();
  void phaseChanged();  // see phase() and currentJob()
  // How an upload ended, its folder always named; before the tracer hears its final status.
  void uploadEnded(const lumora::UploadEnd& end);

 private:
  using EngineCall = std::function<Outputs(const Instant&)>;

  Instant now() const;
  void onBytes(const QByteArray& bytes);
  void onDeadline();
  void onPortFailed(const QString& reason);
  void tryReopen();
  // Applies `outputs`, then the disk's answer they asked for, then whatever input came in
  // meanwhile, then re-arms the timer.
  void handle(Outputs outputs);
  void apply(const Output& output);
  void arm();
  void answer(EngineCall call);

  Settings settings_;
  SaveFolder& saveFolder_;
  LinkEngine engine_;
  SerialPort port_;
  QTimer deadline_;
  QTimer reopen_;
  QElapsedTimer clock_;
  mutable qint64 stampSecond_ = -1;  // the second `stamp_` was written for
  mutable std::string stamp_;
  bool wanted_ = false;  // the owner wants the port open (between open() and close())
  bool applying_ = false;
  LinkPhase phase_ = LinkPhase::Listening;  // as last told by phaseChanged()
  EngineCall diskAnswer_;  // the result of a store or folder check, for the engine
  QByteArray heldInput_;   // input that arrived while outputs were being applied
};

}  // namespace lumora
