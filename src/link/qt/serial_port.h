// A serial port on QSerialPort, configured the way the tracer link and the port probe need it:
// no parity, 8 data bits, 1 stop bit, no handshaking, DTR and RTS on.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include "link/qt/device_lock.h"

namespace lumora {

class SerialPort : public QObject {
  Q_OBJECT

 public:
  // How an open ended. An enum rather than a Problem: callers word each kind of failure
  // their own way (the setup dialog, the port-opening loop and the headless server each
  // tell the user something different) and the system's own text says little here.
  // HeldByAnotherServer: the device itself is locked by another program, whatever path
  // each of them opened it by.
  enum class OpenResult { Opened, NoSuchPort, Busy, HeldByAnotherServer, SpeedRefused, Other };

  explicit SerialPort(QObject* parent = nullptr);
  ~SerialPort() override;

  // Opens `device` (a path such as /dev/ttyUSB0, or COM3) at `speed` bits per second with
  // the line settings above, holding the device itself for this port alone (see DeviceLock);
  // an open port is closed first. DTR and RTS are switched on after
  // opening, but a device that cannot do it (a pseudo-terminal) still counts as opened.
  OpenResult open(const QString& device, qint32 speed);
  bool isOpen() const;
  // Writes out what is still to be sent (waiting a second at most: the tracer's last answer
  // must not be lost), discards pending input, then closes. Does nothing when closed.
  void close();
  // Reads what the device holds now, without waiting: bytesRead() follows when there is any.
  void readWaiting();

  // Hands `bytes` to the driver at once, as far as it takes them without blocking; the rest
  // follows from the event loop. False when the port is closed or refuses them.
  bool write(const QByteArray& bytes);
  void discardInput();

  // The line settings in use: "19200,N,8,1".
  QString settingsText() const;

 signals:
  // Input arrived; the bytes have been taken from the port.
  void bytesRead(const QByteArray& bytes);
  // The device went away or broke down (a read or resource error). The port has been
  // closed already: the error would otherwise repeat until it is.
  void failed(const QString& reason);

 private:
  void onReadyRead();
  void onError(QSerialPort::SerialPortError error);

  QSerialPort port_;
  DeviceLock lock_;
  bool closing_ = false;
};

}  // namespace lumora
