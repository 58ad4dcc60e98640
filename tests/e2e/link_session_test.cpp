// LinkSession in this process over real pseudo-terminals: the test plays the tracer on the
// master side and watches the session's signals.
#include "link/qt/link_session.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "e2e_paths.h"
#include "link/core/control_chars.h"
#include "link/core/framing.h"
#include "pty_pair.h"
#include "qt_wait.h"

namespace lumora::testing {
namespace {

namespace fs = std::filesystem;

constexpr int LimitMs = 20000;  // generous: a loaded machine must not fail these

// The tracer's end: writes to the master and collects what the session sends back.
class TracerEnd {
 public:
  explicit TracerEnd(int master) : master_(master) {}
  void send(const std::string& bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // Runs the event loop until the session has sent `text`.
  bool waitFor(const std::string& text) {
    return WaitFor([&] { return pump().find(text) != std::string::npos; }, LimitMs);
  }
  const std::string& pump() {
    pollfd p{master_, POLLIN, 0};
    char buffer[4096];
    while (::poll(&p, 1, 0) > 0 && (p.revents & POLLIN)) {
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n <= 0) break;
      received_.append(buffer, static_cast<std::size_t>(n));
    }
    return received_;
  }

 private:
  int master_;
  std::string received_;
};

std::string request(const std::string& vendor) {
  return FramePacket(
      {{"REQ=", "TRC"}, {"JOB=", "77"}, {"VEN=", vendor}, {"TRCFMT=", "1;400;E;R;F"}}, false);
}

class SessionOverPty : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(saves_); }

  // A session on `device`; its activity lines, losses and reopenings are noted in events_.
  std::unique_ptr<LinkSession> makeSession(const std::string& device) {
    LinkSession::Settings s;
    s.device = QString::fromStdString(device);
    s.portNumber = 2;
    s.savePath = QString::fromStdString(saves_.string());
    s.reopenIntervalMs = 100;
    auto session = std::make_unique<LinkSession>(s);
    QObject::connect(session.get(), &LinkSession::activityAdded,
                     [this](const QString& line) { events_.push_back(line.toStdString()); });
    QObject::connect(session.get(), &LinkSession::portLost, [this] { events_.push_back("lost"); });
    QObject::connect(session.get(), &LinkSession::portReopened,
                     [this] { events_.push_back("reopened"); });
    return session;
  }

  std::size_t count(const std::string& event) const {
    return static_cast<std::size_t>(std::count(events_.begin(), events_.end(), event));
  }
  bool waitForEvent(const std::string& event) {
    return WaitFor([&] { return count(event) > 0; }, LimitMs);
  }

  TempFolder temp_;
  fs::path saves_ = temp_.path() / "traces";
  std::vector<std::string> events_;
};

// The answer comes while the session is still applying the engine's outputs.
TEST_F(SessionOverPty, BrandMessage_ClosedFromItsOwnSignalStillSendsTheRefusal) {
  PtyPair pty;
  auto session = makeSession(pty.slavePath());
  QObject::connect(session.get(), &LinkSession::brandMessageRequested, session.get(),
                   &LinkSession::brandMessageClosed);
  ASSERT_EQ(session->open(), SerialPort::OpenResult::Opened);
  TracerEnd tracer(pty.master());
  tracer.send(request("OTHER"));
  ASSERT_TRUE(tracer.waitFor("STATUS=17\r\n\x1e\x1d"));
  EXPECT_EQ(tracer.pump().substr(0, 2), std::string(1, NAK) + FS);
  EXPECT_TRUE(waitForEvent("Trace has been aborted."));
  EXPECT_TRUE(fs::is_empty(saves_));
}

// The adapter is pulled: the master side goes away and so does the device name (else
// another program's new pseudo-terminal could take the old number meanwhile).
TEST_F(SessionOverPty, UnpluggedDevice_ClosesOnceAndReopensWhenItIsBack) {
  auto first = std::make_unique<PtyPair>();
  const fs::path device = temp_.path() / "tracer";
  fs::create_symlink(first->slavePath(), device);
  auto session = makeSession(device.string());
  ASSERT_EQ(session->open(), SerialPort::OpenResult::Opened);
  first.reset();
  fs::remove(device);
  ASSERT_TRUE(waitForEvent("lost"));
  WaitFor([] { return false; }, 1000);  // the device stays away for a while
  EXPECT_EQ(count("lost"), 1u);
  EXPECT_EQ(count("reopened"), 0u);
  EXPECT_FALSE(session->isOpen());
  EXPECT_EQ(std::count_if(events_.begin(), events_.end(),
                          [](const std::string& e) { return e.starts_with("Port Lost: "); }),
            1);

  PtyPair second;  // plugged in again, under the same name
  fs::create_symlink(second.slavePath(), device);
  ASSERT_TRUE(waitForEvent("reopened"));
  EXPECT_EQ(count("Port Reopened: " + device.string()), 1u);
  TracerEnd tracer(second.master());
  tracer.send(FramePacket({{"REQ=", "INI"}}, false));
  EXPECT_TRUE(tracer.waitFor("STATUS=15\r\n\x1e\x1d"));
}

TEST_F(SessionOverPty, Close_OfAPortWhoseDeviceWentAwayNeitherReportsNorReopens) {
  auto first = std::make_unique<PtyPair>();
  const fs::path device = temp_.path() / "tracer";
  fs::create_symlink(first->slavePath(), device);
  auto session = makeSession(device.string());
  ASSERT_EQ(session->open(), SerialPort::OpenResult::Opened);
  first.reset();
  session->close();  // before the loss has been seen: the setup dialog, or shutdown
  PtyPair second;
  fs::remove(device);
  fs::create_symlink(second.slavePath(), device);
  WaitFor([] { return false; }, 800);  // several reopen intervals
  EXPECT_EQ(count("lost"), 0u);
  EXPECT_FALSE(session->isOpen());
}

}  // namespace
}  // namespace lumora::testing
