// The headless server's upload history, with the real program on a pseudo-terminal: a kill in
// the middle of a burst of uploads, and a history file that is damaged or locked.
#include <gtest/gtest.h>

#include <algorithm>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <regex>
#include <set>

#include "server_fixture.h"

namespace lumora::testing {
namespace {

class HistoryOfServer : public ServerWithTracer {
 protected:
  fs::path history() const { return temp_.dir() / "data" / "Lumora Corvane Trace Server" / "history.sqlite"; }
  void start() {
    fs::create_directories(saves_);
    startServer({"--device", pty_.slavePath(), "--save-dir", saves_.string()});
  }
  // The job numbers of the rows that say so, or of each row; "" when the file is not whole.
  std::multiset<std::string> rows(const char* outcome = "stored") {
    std::multiset<std::string> jobs;
    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
      db.setDatabaseName(QString::fromStdString(history().string()));
      QSqlQuery q(db);
      if (!db.open() || !q.exec("PRAGMA integrity_check") || !q.next() || q.value(0).toString() != "ok") return {""};
      q.prepare("SELECT job FROM uploads WHERE outcome = ?");
      q.addBindValue(QString(outcome));
      q.exec();
      while (q.next()) jobs.insert(q.value(0).toString().toStdString());
    }
    QSqlDatabase::removeDatabase("check");
    return jobs;
  }
};

// Fault caught: a history that a kill leaves unreadable, or an upload the tracer heard was
// stored that the history does not hold (a row written after the answer, or not committed).
TEST_F(HistoryOfServer, AKillInABurstLosesNoAnsweredUpload) {
  start();
  ChildProcess sim({Program("lumora-tracer-sim"), "--fd", std::to_string(pty_.master()), "--reply-timeout", "2000",
                    "--gap", "0", "--repeat", "60", "--number-jobs", "500", kSample1002},
                   {}, {pty_.master()});
  ASSERT_TRUE(sim.waitForOutput("\"job\":\"508\"", kExchangeLimitMs)) << sim.output();
  server_->sendSignal(SIGKILL);
  EXPECT_EQ(server_->waitForExit(kStartLimitMs), 128 + SIGKILL);
  server_.reset();
  sim.sendSignal(SIGKILL);  // its answers so far are in its output; the rest would only time out
  sim.waitForExit(kExchangeLimitMs);
  std::multiset<std::string> answered;
  const std::regex stored("\"job\":\"(\\d+)\"[^}]*\"outcome\":\"stored\"");
  const std::string out = sim.output();
  for (std::sregex_iterator it(out.begin(), out.end(), stored), end; it != end; ++it) answered.insert((*it)[1]);
  ASSERT_GE(answered.size(), 9u) << out;
  const std::multiset<std::string> kept = rows();
  ASSERT_NE(kept, std::multiset<std::string>{""}) << "the history does not open whole";
  EXPECT_TRUE(std::includes(kept.begin(), kept.end(), answered.begin(), answered.end())) << out;
  EXPECT_LE(kept.size(), answered.size() + 1);  // at most the one the kill cut short
}

// Fault caught: a history that cannot be written stops the upload, or says nothing, or stays
// unwritten once the lock is gone.
TEST_F(HistoryOfServer, ADamagedOrLockedHistoryNeverStopsAnUpload) {
  fs::create_directories(history().parent_path());
  temp_.write("data/Lumora Corvane Trace Server/history.sqlite", std::string(4096, 'x'));
  start();
  runSim({kSample1001}, 0, "\"outcome\":\"stored\"");
  EXPECT_TRUE(serverSays("History Not Written: cannot open " + history().string() + ": file is not a database"))
      << server_->output();
  stopServer(SIGTERM);
  server_.reset();

  fs::remove(history());
  start();
  runSim({kSample1001}, 0, "\"outcome\":\"stored\"");
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "lock");
    db.setDatabaseName(QString::fromStdString(history().string()));
    ASSERT_TRUE(db.open());
    QSqlQuery lock(db);
    ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));
    runSim({kSample1002}, 0, "\"outcome\":\"stored\"");
    EXPECT_TRUE(serverSays("database is locked")) << server_->output();
    lock.exec("ROLLBACK");
  }
  QSqlDatabase::removeDatabase("lock");
  EXPECT_TRUE(fs::exists(saves_ / "1002"));
  runSim({kSample1001}, 0, "\"outcome\":\"stored\"");  // the history is written again once free
  EXPECT_EQ(rows(), (std::multiset<std::string>{"1001", "1001"}));
}

}  // namespace
}  // namespace lumora::testing
