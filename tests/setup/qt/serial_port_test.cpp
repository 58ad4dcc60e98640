#include "link/qt/serial_port.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <string>

#include "pty_pair.h"

namespace lumora {
namespace {

using testing::PtyPair;

std::string readMaster(int master, std::size_t wanted) {
  std::string got;
  char buffer[64];
  for (pollfd watch{master, POLLIN, 0}; got.size() < wanted && poll(&watch, 1, 2000) > 0;) {
    const ssize_t n = ::read(master, buffer, sizeof buffer);
    if (n <= 0) break;
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got;
}

// A pseudo-terminal has no modem lines; the port opens all the same, also at a speed outside
// the standard table. Missing and busy devices, hang-ups and reading are met by the probe and
// link tests.
TEST(SerialPort, OpensAtTheAskedSpeedWritesBytesUnchangedAndRefusesWritesOnceClosed) {
  for (const int speed : {9600, 56000}) {
    PtyPair pty;
    SerialPort port;
    ASSERT_EQ(port.open(QString::fromStdString(pty.slavePath()), speed), SerialPort::OpenResult::Opened);
    EXPECT_EQ(pty.speed(), speed);
    EXPECT_EQ(port.settingsText(), QString("%1,N,8,1").arg(speed));

    const QByteArray sent("\x1cREQ=INI\r\n\x1e\x00\x1d", 13);
    ASSERT_TRUE(port.write(sent));
    EXPECT_EQ(readMaster(pty.master(), 13), sent.toStdString());

    port.close();
    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.write("AT\r")) << "a write to a closed port must not report success";
  }
}

}  // namespace
}  // namespace lumora
