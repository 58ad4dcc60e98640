// SIGINT and SIGTERM (through a self-pipe), or on Windows the console's Ctrl+C, Ctrl+Break and
// close, turned into a Qt signal, so the event loop ends cleanly (port closed, output written)
// instead of the process dying mid-write.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace lumora {

class StopSignals : public QObject {
  Q_OBJECT

 public:
  // Installs the handlers; only one object may exist at a time.
  explicit StopSignals(QObject* parent = nullptr);
  ~StopSignals() override;

 signals:
  void stopRequested();

 private:
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace lumora
