#include "link/qt/serial_port.h"

#include <gtest/gtest.h>

#include "pty_pair.h"
#include "read_until.h"

namespace lumora {

// A pseudo-terminal has no modem lines; the port opens all the same, also at a speed outside
// the standard table. Missing and busy devices, hang-ups and reading are met by the probe and
// link tests.
TEST(SerialPort, OpensAtTheAskedSpeedWritesBytesUnchangedAndRefusesWritesOnceClosed) {
  for (const int speed : {9600, 56000}) {
    testing::PtyPair pty;
    SerialPort port;
    ASSERT_EQ(port.open(QString::fromStdString(pty.slavePath()), speed), SerialPort::OpenResult::Opened);
    EXPECT_EQ(pty.speed(), speed);
    EXPECT_EQ(port.settingsText(), QString("%1,N,8,1").arg(speed));
    const std::string sent("\x1cREQ=INI\r\n\x1e\x00\x1d", 13);
    ASSERT_TRUE(port.write(QByteArray::fromStdString(sent)));
    EXPECT_EQ(testing::ReadUntil(pty.master(), sent, 2000), sent);
    port.close();
    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.write("AT\r")) << "a write to a closed port must not report success";
  }
}

}  // namespace lumora
