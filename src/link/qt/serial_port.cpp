#include "link/qt/serial_port.h"

namespace lumora {
namespace {

SerialPort::OpenResult classify(QSerialPort::SerialPortError error) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError:
      return SerialPort::OpenResult::NoSuchPort;
    // Held by another program, or by a lock file another process left for it.
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
      return SerialPort::OpenResult::Busy;
    // The driver refused a setting; the speed is the only one that varies.
    case QSerialPort::UnsupportedOperationError:
      return SerialPort::OpenResult::SpeedRefused;
    default:
      return SerialPort::OpenResult::Other;
  }
}

}  // namespace

SerialPort::SerialPort(QObject* parent) : QObject(parent) {
  connect(&port_, &QSerialPort::readyRead, this, &SerialPort::onReadyRead);
  connect(&port_, &QSerialPort::errorOccurred, this, &SerialPort::onError);
}

SerialPort::~SerialPort() { close(); }

// The order follows the link's configuration: the port, no handshaking, the line settings,
// then open; DTR and RTS can only be set on an open port.
SerialPort::OpenResult SerialPort::open(const QString& device, qint32 speed) {
  close();
  port_.setPortName(device);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  port_.setBaudRate(speed);
  port_.setParity(QSerialPort::NoParity);
  port_.setDataBits(QSerialPort::Data8);
  port_.setStopBits(QSerialPort::OneStop);
  port_.clearError();
  if (lock_.take(device.toStdString()) == DeviceLock::Result::HeldElsewhere) return OpenResult::HeldByAnotherServer;
  if (!port_.open(QIODevice::ReadWrite)) {
    lock_.release();
    const OpenResult why = classify(port_.error());
    port_.clearError();
    return why == OpenResult::Opened ? OpenResult::Other : why;
  }
  lock_.excludeOtherOpens();
  // A pseudo-terminal has no modem lines; the port works without them.
  port_.setDataTerminalReady(true);
  port_.setRequestToSend(true);
  port_.clearError();
  return OpenResult::Opened;
}

bool SerialPort::isOpen() const { return port_.isOpen(); }

void SerialPort::close() {
  if (!port_.isOpen()) return;
  closing_ = true;  // writing to or discarding on a device that is gone reports an error: not a failure
  port_.flush();
  if (port_.bytesToWrite() > 0) port_.waitForBytesWritten(1000);
  port_.clear(QSerialPort::Input);
  port_.close();
  port_.clearError();
  lock_.release();
  closing_ = false;
}

bool SerialPort::write(const QByteArray& bytes) {
  if (!port_.isOpen()) return false;
  if (port_.write(bytes) != bytes.size()) return false;
  port_.flush();
  return true;
}

void SerialPort::readWaiting() {
  if (!port_.isOpen()) return;
  port_.waitForReadyRead(0);
  port_.clearError();  // nothing waiting reads as a time-out
}

void SerialPort::discardInput() {
  if (port_.isOpen()) port_.clear(QSerialPort::Input);
}

QString SerialPort::settingsText() const { return QString::number(port_.baudRate()) + ",N,8,1"; }

void SerialPort::onReadyRead() {
  const QByteArray bytes = port_.readAll();
  if (!bytes.isEmpty()) emit bytesRead(bytes);
}

// Only a read or resource error means the device is gone; QSerialPort repeats it until the
// port is closed, so the port is closed on the first one. Other errors (a modem line a
// pseudo-terminal lacks) leave the port usable.
void SerialPort::onError(QSerialPort::SerialPortError error) {
  if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError) return;
  if (!port_.isOpen() || closing_) return;
  // Qt's own text here is whatever the system said last, often "Unknown error"; a pulled
  // adapter shows as either error.
  const QString reason = QStringLiteral("the device was unplugged or could not be read");
  port_.close();
  port_.clearError();
  lock_.release();
  emit failed(reason);
}

}  // namespace lumora
