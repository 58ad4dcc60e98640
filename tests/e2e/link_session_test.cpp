// LinkSession in this process over real pseudo-terminals and a real save folder: the test
// plays the tracer on the master side and watches the session's signals and the folder.
#include "link/qt/link_session.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "e2e_paths.h"
#include "link/core/control_chars.h"
#include "link/core/framing.h"
#include "link/qt/local_stamp.h"
#include "pty_pair.h"
#include "qt_wait.h"

namespace lumora::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kLimitMs = 20000;  // generous: a loaded machine must not fail these

void writeAll(int fd, const std::string& bytes) {
  ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

// Runs the event loop until the session has written `text` to the master side; returns all
// it wrote by then.
std::string readUntil(int master, const std::string& text) {
  std::string received;
  WaitFor(
      [&] {
        pollfd p{master, POLLIN, 0};
        char buffer[4096];
        for (ssize_t n; ::poll(&p, 1, 0) > 0 && (n = ::read(master, buffer, sizeof buffer)) > 0;)
          received.append(buffer, static_cast<std::size_t>(n));
        return received.find(text) != std::string::npos;
      },
      kLimitMs);
  return received;
}

class SessionOverPty : public ::testing::Test {
 protected:
  // A session on `device`; its activity lines, losses and reopenings are noted in events_.
  std::unique_ptr<LinkSession> openSession(const std::string& device) {
    fs::create_directories(saves_);
    LinkSession::Settings s;
    s.device = QString::fromStdString(device);
    s.portNumber = 2;
    s.reopenIntervalMs = 100;
    auto session = std::make_unique<LinkSession>(s, saveFolder_);
    const auto note = [this](const std::string& event) { events_.push_back(event); };
    QObject::connect(session.get(), &LinkSession::activityAdded,
                     [note](const QString& line) { note(line.toStdString()); });
    QObject::connect(session.get(), &LinkSession::portLost, [note] { note("lost"); });
    QObject::connect(session.get(), &LinkSession::portReopened, [note] { note("reopened"); });
    EXPECT_EQ(session->open(), SerialPort::OpenResult::Opened);
    return session;
  }
  std::size_t count(const std::string& event) const {
    return static_cast<std::size_t>(std::count(events_.begin(), events_.end(), event));
  }
  bool waitForEvent(const std::string& event, int limitMs = kLimitMs) {
    return WaitFor([&] { return count(event) > 0; }, limitMs);
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

// The message is closed while the session is still applying the engine's outputs, and the
// refusal must go out all the same.
TEST_F(SessionOverPty, BrandMessageClosedFromItsOwnSignalStillSendsTheRefusal) {
  PtyPair pty;
  auto session = openSession(pty.slavePath());
  QObject::connect(session.get(), &LinkSession::brandMessageRequested, session.get(),
                   &LinkSession::brandMessageClosed);
  writeAll(pty.master(), framePacket({{"REQ=", "TRC"}, {"JOB=", "77"}, {"VEN=", "OTHER"}, {"TRCFMT=", "1;400;E;R;F"}},
                                     false));
  const std::string answer = readUntil(pty.master(), "STATUS=17\r\n\x1e\x1d");
  EXPECT_TRUE(answer.starts_with(std::string(1, kNak) + kFs)) << answer;
  EXPECT_NE(answer.find("STATUS=17"), std::string::npos) << answer;
  EXPECT_TRUE(waitForEvent("Trace has been aborted."));
  EXPECT_TRUE(fs::is_empty(saves_));
}

// The session writes the trace the engine asks for into the save folder it asks at that
// moment, and hands the result back: the tracer hears status 0 once the file is there, and
// status 2 with the reason when the folder has gone.
TEST_F(SessionOverPty, StoresInTheSaveFolderAndAnswersTwoWhenItCannot) {
  PtyPair pty;
  auto session = openSession(pty.slavePath());
  const auto upload = [&] {
    writeAll(pty.master(),
             framePacket({{"REQ=", "TRC"}, {"JOB=", "5"}, {"VEN=", "CORVANE"}, {"TRCFMT=", "1;400;E;R;F"}}, false));
    readUntil(pty.master(), "STATUS=0\r\n\x1e\x1d");
    writeAll(pty.master(), framePacket({{"ANS=", "TRC"}, {"JOB=", "5"}, {"R=", "2500"}}, false));
    return readUntil(pty.master(), "\x1e\x1d");
  };
  EXPECT_NE(upload().find("STATUS=0"), std::string::npos);
  EXPECT_EQ(ReadBytes(saves_ / "5"), "REQ=FIL\r\nJOB=5\r\nR=2500\r\n");
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
  EXPECT_EQ(std::count_if(events_.begin(), events_.end(),
                          [](const std::string& e) { return e.starts_with("Port Lost: "); }),
            1);
  EXPECT_EQ(count("Port Lost: " + device.string() + " (the device was unplugged or could not be read); reopening when it returns"), 1u);

  pty = plugIn();  // plugged in again, under the same name
  ASSERT_TRUE(waitForEvent("reopened"));
  EXPECT_EQ(count("Port Reopened: " + device.string()), 1u);
  writeAll(pty->master(), framePacket({{"REQ=", "INI"}}, false));
  EXPECT_NE(readUntil(pty->master(), "STATUS=15\r\n\x1e\x1d").find("STATUS=15"), std::string::npos);

  pty.reset();
  session->close();  // before the loss has been seen
  pty = plugIn();
  WaitFor([] { return false; }, 800);  // several reopen intervals
  EXPECT_EQ(count("lost"), 1u);
  EXPECT_EQ(count("reopened"), 1u);
  EXPECT_FALSE(session->isOpen());
}

}  // namespace
}  // namespace lumora::testing
