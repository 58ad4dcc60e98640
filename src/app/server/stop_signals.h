// SIGINT and SIGTERM turned into a Qt signal through a self-pipe, so the event loop ends
// cleanly (port closed) instead of the process dying mid-write.
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
