// LinkSession in this process over real pseudo-terminals and a real save folder: the test
// plays the tracer on the master side and watches the session's signals and the folder.
#include "link/qt/link_session.h"

#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <memory>

#include "e2e_paths.h"
#include "link/core/control_chars.h"
#include "link/core/framing.h"
#include "link/qt/local_stamp.h"
#include "pty_pair.h"
#include "read_until.h"

namespace lumora::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kLimitMs = 20000;  // generous: a loaded machine must not fail these

const std::string kTraceRequest =
    framePacket({{"REQ=", "TRC"}, {"JOB=", "5"}, {"VEN=", "CORVANE"}, {"TRCFMT=", "1;400;E;R;F"}}, false);

class SessionOverPty : public ::testing::Test {
 protected:
  // A session on `device`; its activity lines, losses and reopenings are noted in events_.
  std::unique_ptr<LinkSession> openSession(const std::string& device) {
    fs::create_directories(saves_);
    auto session = std::make_unique<LinkSession>(LinkSession::Settings{QString::fromStdString(device), 19200, 2, false, 100},
                                                 saveFolder_);
    QObject::connect(session.get(), &LinkSession::activityAdded,
                     [this](const QString& line) { events_.push_back(line.toStdString()); });
    QObject::connect(session.get(), &LinkSession::portLost, [this] { events_.push_back("lost"); });
    QObject::connect(session.get(), &LinkSession::portReopened, [this] { events_.push_back("reopened"); });
    EXPECT_EQ(session->open(), SerialPort::OpenResult::Opened);
    return session;
  }
  // Plays `packet` to the session and returns what it has answered once the answer holds `until`.
  static std::string exchange(int master, const std::string& packet, const std::string& until) {
    EXPECT_EQ(::write(master, packet.data(), packet.size()), static_cast<ssize_t>(packet.size()));
    return ReadUntil(master, until, kLimitMs, [] { QCoreApplication::processEvents(); });
  }
  std::size_t count(const std::string& event) const { return std::count(events_.begin(), events_.end(), event); }
  bool waitForEvent(const std::string& event, int limitMs = kLimitMs) {
    return QTest::qWaitFor([&] { return count(event) > 0; }, limitMs);
  }

  TempFolder temp_;
  fs::path saves_ = temp_.dir() / "traces";
  SaveFolder saveFolder_{saves_.string()};
  std::vector<std::string> events_;
};

// Mended fault: the long time of some systems ends in the time zone ("6:10:21 PM UTC").
TEST(LocalStamp, IsTheShortDateAndTheLongTimeWithoutTheZone) {
  const QDateTime moment(QDate(2026, 12, 6), QTime(18, 10, 21));
  EXPECT_EQ(localStamp(moment, QLocale(QLocale::English, QLocale::UnitedStates)).toStdString(), "12/6/26 6:10:21 PM");
}

// The session writes the trace the engine asks for into the save folder it asks at that
// moment, and hands the result back: the tracer hears status 0 once the file is there, and
// status 2 with the reason when the folder has gone. The wrong brand's message is closed
// while the session is still applying the engine's outputs, and the refusal must go out all
// the same.
TEST_F(SessionOverPty, StoresInTheSaveFolderAndAnswersTwoWhenItCannotOrTheBrandIsWrong) {
  PtyPair pty;
  auto session = openSession(pty.slavePath());
  const auto upload = [&] {
    exchange(pty.master(), kTraceRequest, "STATUS=0\r\n\x1e\x1d");
    return exchange(pty.master(), framePacket({{"ANS=", "TRC"}, {"JOB=", "5"}, {"R=", "2500"}}, false), "\x1e\x1d");
  };
  EXPECT_NE(upload().find("STATUS=0"), std::string::npos);
  EXPECT_EQ(ReadBytes(saves_ / "5"), "REQ=FIL\r\nJOB=5\r\nR=2500\r\n");
  QObject::connect(session.get(), &LinkSession::brandMessageRequested, session.get(), &LinkSession::brandMessageClosed);
  std::string request = kTraceRequest;
  request.replace(request.find("CORVANE"), 7, "OTHER");
  const std::string answer = exchange(pty.master(), request, "STATUS=17\r\n\x1e\x1d");
  EXPECT_TRUE(answer.starts_with(std::string(1, kNak) + kFs) && answer.ends_with("STATUS=17\r\n\x1e\x1d")) << answer;
  EXPECT_TRUE(waitForEvent("Trace has been aborted."));
  saveFolder_.setPath((temp_.dir() / "gone").string());
  EXPECT_NE(upload().find("STATUS=2"), std::string::npos);
  EXPECT_TRUE(waitForEvent("Cant Store Data: cannot create a temporary file in " + (temp_.dir() / "gone").string() +
                           ": No such file or directory"));
}

// The adapter is pulled: the master side goes away and so does the device name (else
// another program's new pseudo-terminal could take the old number meanwhile). Once closed
// by its owner (the setup dialog, or shutdown), a lost port is neither reported nor reopened.
TEST_F(SessionOverPty, UnpluggedDeviceIsLostOnceAndReopenedUntilClosed) {
  const fs::path device = temp_.dir() / "tracer";
  auto plugIn = [&] {
    auto pty = std::make_unique<PtyPair>();
    fs::remove(device);
    fs::create_symlink(pty->slavePath(), device);
    return pty;
  };
  auto pty = plugIn();
  auto session = openSession(device.string());
  pty.reset();
  fs::remove(device);
  ASSERT_TRUE(waitForEvent("lost"));
  EXPECT_FALSE(waitForEvent("reopened", 1000));  // the device stays away for a while
  EXPECT_EQ(count("Port Lost: " + device.string() +
                  " (the device was unplugged or could not be read); reopening when it returns"),
            1u);

  pty = plugIn();  // plugged in again, under the same name
  ASSERT_TRUE(waitForEvent("reopened"));
  EXPECT_EQ(count("Port Reopened: " + device.string()), 1u);
  EXPECT_NE(exchange(pty->master(), framePacket({{"REQ=", "INI"}}, false), "STATUS=15\r\n\x1e\x1d").find("STATUS=15"),
            std::string::npos);

  pty.reset();
  session->close();  // before the loss has been seen
  pty = plugIn();
  QTest::qWait(800);  // several reopen intervals
  EXPECT_EQ(count("lost"), 1u);
  EXPECT_EQ(count("reopened"), 1u);
  EXPECT_FALSE(session->isOpen());
}

}  // namespace
}  // namespace lumora::testing
