// The "Trace History" window of the running program: the upload it just received, the filter
// box, and a trace drawn again from a row.
#include <QDate>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableView>

#include "history/qt/history_model.h"
#include "history/qt/trace_history_window.h"
#include "main_window_fixture.h"

namespace lumora::testing {
namespace {

void addRecord(HistoryStore& history, const std::string& job, const std::string& file) {
  HistoryRecord r;
  r.time = QDate::currentDate().toString(Qt::ISODate).toStdString() + "T08:00:00+00:00";
  r.job = job;
  r.file = file;
  ASSERT_EQ(history.append(r), std::nullopt);
}
QString cell(QTableView& table, int row, int column) { return table.model()->index(row, column).data().toString(); }
void doubleClick(QTableView& table, int row) { emit table.doubleClicked(table.model()->index(row, HistoryModel::Job)); }

// Fault caught: an upload the window does not list (or lists without its measurements), a
// filter that does not narrow as the user types, a row whose trace is not drawn, a missing
// file that fails without a word.
TEST_F(MainWindowTest, TheHistoryWindowListsFiltersAndRedrawsUploads) {
  startLinked();
  EXPECT_EQ(upload(), 0);
  addRecord(history_, "1005", std::string(LUMORA_SAMPLES) + "/1005");
  addRecord(history_, "1006", temp_.file("gone").string());
  trigger("traceHistoryAction");
  auto* shown = window().findChild<TraceHistoryWindow*>("traceHistoryWindow");
  ASSERT_TRUE(shown && shown->isVisible());
  QTableView& table = *shown->findChild<QTableView*>("historyTable");
  ASSERT_EQ(table.model()->rowCount(), 3);
  EXPECT_EQ(cell(table, 2, HistoryModel::Job), "1001");
  EXPECT_EQ(cell(table, 2, HistoryModel::Outcome), "stored");
  EXPECT_EQ(cell(table, 2, HistoryModel::Status), "0");
  EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d$")
                  .match(cell(table, 2, HistoryModel::Time))
                  .hasMatch())
      << cell(table, 2, HistoryModel::Time).toStdString();
  EXPECT_FALSE(cell(table, 2, HistoryModel::A).isEmpty());

  auto* filter = shown->findChild<QLineEdit*>("historyFilter");
  const auto rowsFor = [&](const QString& typed) {
    filter->clear();
    QTest::keyClicks(filter, typed);
    return table.model()->rowCount();
  };
  EXPECT_EQ(rowsFor("1001"), 1);
  EXPECT_EQ(rowsFor(QDate::currentDate().toString(Qt::ISODate)), 3);
  EXPECT_EQ(rowsFor("1999-01"), 0);

  EXPECT_EQ(rowsFor(""), 3);
  doubleClick(table, 1);
  EXPECT_EQ(label("orderLabel"), "Order: 1005");
  questions_.replyMessage(Answer::Ok);
  doubleClick(table, 0);
  ASSERT_FALSE(questions_.asked().empty());
  EXPECT_TRUE(questions_.asked().back().text.contains("is no longer there")) << questions_.asked().back().text.toStdString();
}

}  // namespace
}  // namespace lumora::testing
