// Runs the port discovery: applies the probe engine's port actions to a serial port, feeds
// it the bytes that arrive and the time, and wakes it at its deadline with one precise
// single-shot timer. Nothing blocks; the caller's event loop keeps running.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

#include "link/qt/serial_port.h"
#include "setup/core/port_probe.h"
#include "base/core/settings_table.h"

namespace lumora {

class ProbeRunner : public QObject {
  Q_OBJECT

 public:
  // `devices` names the device of each port number (the "DeviceN" settings elsewhere than
  // Windows).
  explicit ProbeRunner(SettingLookup devices, QObject* parent = nullptr);
  ~ProbeRunner() override;

  // Starts a probe of all 16 ports; a probe still running is abandoned first.
  void start(std::int32_t configuredPort, std::int32_t configuredSpeed, bool configuredOpen = true);
  // Abandons a running probe and closes its port; finished is not emitted.
  void stop();
  bool running() const { return probe_ != nullptr; }

 signals:
  // The probe is over and its port closed; `entries` is the filled port list.
  void finished(const lumora::PortList& entries);

 private:
  void pump();
  void apply(const ProbeAction& action);
  void open(const ProbeAction& action);
  void onBytes(const QByteArray& bytes);
  void onTimer();
  std::int64_t nowMicros() const;

  SettingLookup devices_;
  SerialPort port_;
  QTimer timer_;
  QElapsedTimer clock_;
  std::unique_ptr<PortProbe> probe_;
  QString configuredDevice_;  // the configured port's device, links resolved; empty when none
};

}  // namespace lumora
