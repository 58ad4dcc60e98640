#include "setup/qt/probe_runner.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

#include "setup/core/port_device.h"

namespace lumora {
namespace {

constexpr std::int64_t kMicrosPerMilli = 1000;

}  // namespace

ProbeRunner::ProbeRunner(SettingLookup devices, QObject* parent)
    : QObject(parent), devices_(std::move(devices)) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  clock_.start();
  connect(&timer_, &QTimer::timeout, this, &ProbeRunner::onTimer);
  connect(&port_, &SerialPort::bytesRead, this, &ProbeRunner::onBytes);
}

ProbeRunner::~ProbeRunner() = default;

void ProbeRunner::start(std::int32_t configuredPort, std::int32_t configuredSpeed, bool configuredOpen) {
  stop();
  configuredDevice_ = QFileInfo(QString::fromStdString(portDevice(configuredPort, devices_))).canonicalFilePath();
  probe_ = std::make_unique<PortProbe>(configuredPort, configuredSpeed, configuredOpen);
  pump();
}

void ProbeRunner::stop() {
  timer_.stop();
  port_.close();
  probe_.reset();
}

std::int64_t ProbeRunner::nowMicros() const { return clock_.nsecsElapsed() / 1000; }

// Applies every action the engine has ready, then waits for bytes or its deadline.
void ProbeRunner::pump() {
  while (probe_) {
    std::optional<ProbeAction> action = probe_->nextAction();
    if (!action) break;
    apply(*action);
  }
  if (!probe_) return;
  if (probe_->finished()) {
    const PortList entries = probe_->entries();
    stop();
    emit finished(entries);
    return;
  }
  if (std::optional<std::int64_t> deadline = probe_->deadline()) {
    const std::int64_t waitMicros = std::max<std::int64_t>(0, *deadline - nowMicros());
    timer_.start(static_cast<int>((waitMicros + kMicrosPerMilli - 1) / kMicrosPerMilli));
  }
}

void ProbeRunner::apply(const ProbeAction& action) {
  switch (action.kind) {
    case ProbeAction::Kind::Open:
      open(action);
      break;
    // A write that fails leaves the engine waiting for an answer that cannot come: no answer.
    case ProbeAction::Kind::Write:
      port_.write(QByteArray::fromStdString(action.bytes));
      break;
    case ProbeAction::Kind::Close:
      port_.close();
      break;
  }
}

void ProbeRunner::open(const ProbeAction& action) {
  const QString device = QString::fromStdString(portDevice(action.port, devices_));
  // Two port numbers can name one device (a link under /dev/serial/by-id and the device
  // itself): the tracer's line never hears modem commands, whatever number it is probed under.
  const QString canonical = QFileInfo(device).canonicalFilePath();
  const bool configured = !canonical.isEmpty() && canonical == configuredDevice_;
  if (!device.isEmpty() && !configured && port_.open(device, action.speed) == SerialPort::OpenResult::Opened) {
    probe_->opened(nowMicros());
  } else {
    probe_->openFailed();
  }
}

void ProbeRunner::onBytes(const QByteArray& bytes) {
  if (!probe_) return;
  probe_->receive(std::string_view{bytes.constData(), static_cast<std::size_t>(bytes.size())},
                  nowMicros());
  pump();
}

// A precise timer can still wake a little early; the engine then ignores it and the timer
// is armed again for what remains.
void ProbeRunner::onTimer() {
  if (!probe_) return;
  probe_->expire(nowMicros());
  pump();
}

}  // namespace lumora
