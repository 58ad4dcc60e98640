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

std::string request(const std::string& vendor, const std::string& job) {
  return FramePacket({{"REQ=", "TRC"}, {"JOB=", job}, {"VEN=", vendor}, {"TRCFMT=", "1;400;E;R;F"}},
                     false);
}

const std::string Body = FramePacket(
    {{"ANS=", "TRC"}, {"JOB=", "77"}, {"TRCFMT=", "1;400;E;R;F"}, {"R=", "2500;2501"}}, false);
const std::string StoredBody = "REQ=FIL\r\nJOB=77\r\nTRCFMT=1;400;E;R;F\r\nR=2500;2501\r\n";

class SessionOverPty : public ::testing::Test {
 protected:
  std::unique_ptr<LinkSession> makeSession(const std::string& device, bool prompt = false) {
    LinkSession::Settings s;
    s.device = QString::fromStdString(device);
    s.portNumber = 2;
    s.savePath = QString::fromStdString(saves_.string());
    s.prompt = prompt;
    s.reopenIntervalMs = 100;
    auto session = std::make_unique<LinkSession>(s);
    QObject::connect(session.get(), &LinkSession::activityAdded, [this](const QString& l) {
      events_.push_back("activity " + l.toStdString());
    });
    QObject::connect(session.get(), &LinkSession::rawDataAdded,
                     [this](const QString& l) { events_.push_back("raw " + l.toStdString()); });
    QObject::connect(session.get(), &LinkSession::orderLabelChanged,
                     [this](const QString& l) { events_.push_back("order " + l.toStdString()); });
    QObject::connect(session.get(), &LinkSession::traceStored,
                     [this](const QString& n, const QString& p) {
                       events_.push_back("stored " + n.toStdString() + " " + p.toStdString());
                     });
    QObject::connect(
        session.get(), &LinkSession::showTraceRequested,
        [this](const QString& n, const QString&) { events_.push_back("show " + n.toStdString()); });
    QObject::connect(session.get(), &LinkSession::promptRequested,
                     [this] { events_.push_back("prompt"); });
    QObject::connect(session.get(), &LinkSession::promptEnded,
                     [this] { events_.push_back("prompt ended"); });
    QObject::connect(session.get(), &LinkSession::portLost, [this] { events_.push_back("lost"); });
    QObject::connect(session.get(), &LinkSession::portReopened,
                     [this] { events_.push_back("reopened"); });
    return session;
  }

  void SetUp() override { fs::create_directories(saves_); }

  bool has(const std::string& event) const {
    return std::find(events_.begin(), events_.end(), event) != events_.end();
  }
  std::size_t count(const std::string& event) const {
    return static_cast<std::size_t>(std::count(events_.begin(), events_.end(), event));
  }
  bool waitForEvent(const std::string& event) {
    return WaitFor([&] { return has(event); }, LimitMs);
  }

  TempFolder temp_;
  fs::path saves_ = temp_.path() / "traces";
  std::vector<std::string> events_;
};

TEST_F(SessionOverPty, Upload_IsAnsweredStoredAndReportedInOrder) {
  PtyPair pty;
  auto session = makeSession(pty.slavePath());
  ASSERT_EQ(session->open(), SerialPort::OpenResult::Opened);
  TracerEnd tracer(pty.master());
  tracer.send(request("CORVANE", "77"));
  ASSERT_TRUE(tracer.waitFor("STATUS=0\r\n\x1e\x1d"));
  EXPECT_EQ(tracer.pump().substr(0, 2), std::string(1, ACK) + FS);
  tracer.send(Body);
  ASSERT_TRUE(
      tracer.waitFor("\x06\x1c"
                     "ANS=TRC\r\nJOB=77\r\nSTATUS=0\r\n\x1e\x1d"));
  ASSERT_TRUE(waitForEvent("show 77"));
  const std::string path = (saves_ / "77").string();
  EXPECT_EQ(ReadBytes(path), StoredBody);
  const std::vector<std::string> start(events_.begin(), events_.begin() + 6);
  EXPECT_EQ(start, (std::vector<std::string>{"activity OMA Tracer", "activity Ready for OMA Trace",
                                             "raw REQ=FIL", "raw JOB=77", "raw TRCFMT=1;400;E;R;F",
                                             "raw R=2500;2501"}));
  EXPECT_EQ(count("stored 77 " + path), 2u);  // stored, then stored again with "Prompt" off
  EXPECT_TRUE(has("order Order: 77"));
}

TEST_F(SessionOverPty, BrandMessage_ClosedFromItsOwnSignalStillSendsTheRefusal) {
  PtyPair pty;
  auto session = makeSession(pty.slavePath());
  // The answer comes while the session is still applying the engine's outputs.
  QObject::connect(session.get(), &LinkSession::brandMessageRequested, session.get(),
                   &LinkSession::brandMessageClosed);
  ASSERT_EQ(session->open(), SerialPort::OpenResult::Opened);
  TracerEnd tracer(pty.master());
  tracer.send(request("OTHER", "78"));
  ASSERT_TRUE(tracer.waitFor("STATUS=17\r\n\x1e\x1d"));
  EXPECT_EQ(tracer.pump().substr(0, 2), std::string(1, NAK) + FS);
  EXPECT_TRUE(waitForEvent("activity Trace has been aborted."));
  EXPECT_TRUE(fs::is_empty(saves_));
}

TEST_F(SessionOverPty, Prompt_NewNameStoresTheTraceAgainUnderIt) {
  PtyPair pty;
  auto session = makeSession(pty.slavePath(), true);
  const fs::path other = temp_.path() / "other";
  fs::create_directories(other);
  QObject::connect(session.get(), &LinkSession::promptRequested, session.get(), [&] {
    session->operatorChoseName(QString::fromStdString(other.string()), "renamed");
  });
  ASSERT_EQ(session->open(), SerialPort::OpenResult::Opened);
  TracerEnd tracer(pty.master());
  tracer.send(request("CORVANE", "77"));
  ASSERT_TRUE(tracer.waitFor("STATUS=0\r\n\x1e\x1d"));
  tracer.send(Body);
  ASSERT_TRUE(waitForEvent("prompt ended"));
  EXPECT_EQ(ReadBytes(saves_ / "77"), StoredBody);
  EXPECT_EQ(ReadBytes(other / "renamed"),
            "REQ=FIL\r\nJOB=renamed\r\nTRCFMT=1;400;E;R;F\r\nR=2500;2501\r\n");
  EXPECT_EQ(session->engine().state(), LinkEngine::State::Idle);
}

TEST_F(SessionOverPty, UnpluggedDevice_ClosesOnceAndReopensWhenItIsBack) {
  auto first = std::make_unique<PtyPair>();
  const fs::path device = temp_.path() / "tracer";
  fs::create_symlink(first->slavePath(), device);
  auto session = makeSession(device.string());
  ASSERT_EQ(session->open(), SerialPort::OpenResult::Opened);

  // The adapter is pulled: the master side goes away and so does the device name (else
  // another program's new pseudo-terminal could take the old number meanwhile).
  first.reset();
  fs::remove(device);
  ASSERT_TRUE(waitForEvent("lost"));
  WaitFor([] { return false; }, 1000);  // the device stays away for a while
  EXPECT_EQ(count("lost"), 1u);
  EXPECT_FALSE(has("reopened"));
  EXPECT_FALSE(session->isOpen());
  const auto lostLines = std::count_if(events_.begin(), events_.end(), [](const std::string& e) {
    return e.rfind("activity Port Lost: ", 0) == 0;
  });
  EXPECT_EQ(lostLines, 1);

  PtyPair second;  // plugged in again, under the same name
  fs::create_symlink(second.slavePath(), device);
  ASSERT_TRUE(waitForEvent("reopened"));
  EXPECT_TRUE(has("activity Port Reopened: " + device.string()));
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
  EXPECT_FALSE(has("lost"));
  EXPECT_FALSE(session->isOpen());
}

}  // namespace
}  // namespace lumora::testing
