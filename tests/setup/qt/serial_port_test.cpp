#include "link/qt/serial_port.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <string>

#include "pty_pair.h"
#include "qt_wait.h"

namespace lumora {
namespace {

using testing::PtyPair;
using testing::WaitFor;

std::string readMaster(int master, std::size_t wanted) {
  std::string got;
  while (got.size() < wanted) {
    pollfd watch{master, POLLIN, 0};
    if (poll(&watch, 1, 2000) <= 0) break;
    char buffer[64];
    const ssize_t n = ::read(master, buffer, sizeof buffer);
    if (n <= 0) break;
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got;
}

QString path(const PtyPair& pty) { return QString::fromStdString(pty.slavePath()); }

// A pseudo-terminal has no modem lines; the port opens all the same, also at speeds outside
// the standard table. A missing or busy device and a hang-up are met by the probe and the
// link tests.
TEST(SerialPort, OpensAtTheAskedSpeed) {
  for (const int speed : {19200, 56000}) {
    PtyPair pty;
    SerialPort port;
    ASSERT_EQ(port.open(path(pty), speed), SerialPort::OpenResult::Opened) << speed;
    EXPECT_EQ(pty.speed(), speed);
    EXPECT_EQ(port.settingsText(), QString("%1,N,8,1").arg(speed));
  }
}

TEST(SerialPort, PassesBytesUnchangedBothWaysUntilClosed) {
  PtyPair pty;
  SerialPort port;
  ASSERT_EQ(port.open(path(pty), 9600), SerialPort::OpenResult::Opened);
  const QByteArray sent("\x1cREQ=INI\r\n\x1e\x00\x1d", 13);
  ASSERT_TRUE(port.write(sent));
  EXPECT_EQ(readMaster(pty.master(), 13), sent.toStdString());

  QByteArray received;
  QObject::connect(&port, &SerialPort::bytesRead,
                   [&](const QByteArray& bytes) { received += bytes; });
  const std::string answer("OK\r\n\x06\x00", 6);
  ASSERT_EQ(::write(pty.master(), answer.data(), answer.size()), 6);
  EXPECT_TRUE(WaitFor([&] { return received.size() >= 6; }));
  EXPECT_EQ(received.toStdString(), answer);

  port.close();
  port.close();
  EXPECT_FALSE(port.isOpen());
  EXPECT_FALSE(port.write("AT\r"));
}

}  // namespace
}  // namespace lumora
