#include "link/qt/serial_port.h"

#include <gtest/gtest.h>

#include "pty_pair.h"

namespace lumora {

// Opening at speeds outside the standard table is met by the probe over pseudo-terminals,
// writing and reading by the link session and the server; missing and busy devices by the
// probe and the server's refusals.
TEST(SerialPort, RefusesWritesOnceClosed) {
  testing::PtyPair pty;
  SerialPort port;
  ASSERT_EQ(port.open(QString::fromStdString(pty.slavePath()), 9600), SerialPort::OpenResult::Opened);
  port.close();
  port.close();
  EXPECT_FALSE(port.isOpen());
  EXPECT_FALSE(port.write("AT\r")) << "a write to a closed port must not report success";
}

}  // namespace lumora
