#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <memory>

#include "scripted_questions.h"
#include "temp_folder.h"
#include "base/core/file_read.h"
#include "base/core/shared_values.h"
#include "trace/core/trace_record.h"
#include "view/core/millimetre_surface.h"
#include "view/core/trace_folder.h"
#include "view/qt/trace_display.h"

namespace lumora {
namespace {

using Names = std::vector<std::string>;

class TraceDisplayTest : public ::testing::Test {
 protected:
  // The five samples and a file that is not a trace, in the save folder.
  void SetUp() override {
    ASSERT_FALSE(folder.path().empty());
    Shared().SavePath = folder.path();
    for (const char* name : {"1001", "1002", "1003", "1004", "1005"}) {
      std::filesystem::copy_file(std::filesystem::path(LUMORA_SAMPLES) / name, folder.file(name));
    }
    folder.write("notes.txt", "not a trace");
  }
  TraceDisplay& open() {
    dialog = std::make_unique<TraceDisplay>(questions, &picture);
    dialog->show();
    return *dialog;
  }
  QListView* list() const { return dialog->findChild<QListView*>("File1"); }
  QPushButton* button(int index) const {
    return dialog->findChild<QPushButton*>(QStringLiteral("Command1_%1").arg(index));
  }
  void select(std::initializer_list<int> rows) {
    for (int row : rows) {
      list()->selectionModel()->select(list()->model()->index(row, 0), QItemSelectionModel::Select);
    }
  }
  std::vector<DrawnLine> expectedDrawing(const std::string& name) {
    MillimetreSurface expected(100, 80);
    TraceRecord trace;
    trace.process(readFileText(folder.file(name).string()));
    trace.draw(expected, Side::Right, {});
    return expected.lines();
  }
  static bool sameLines(const std::vector<DrawnLine>& a, const std::vector<DrawnLine>& b) {
    const auto key = [](const DrawnLine& l) { return std::tie(l.X1, l.Y1, l.X2, l.Y2, l.Colour); };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](auto& x, auto& y) { return key(x) == key(y); });
  }

  testing::TempFolder folder;
  ScriptedQuestions questions;
  MillimetreSurface picture{100, 80};
  std::unique_ptr<TraceDisplay> dialog;
};

}  // namespace

// No and Cancel keep every file; Yes removes exactly the selected ones and reads the folder
// again.
TEST_F(TraceDisplayTest, DeleteRemovesExactlyTheSelectedFilesOnlyAfterYes) {
  open();
  EXPECT_EQ(dialog->names(), (Names{"1001", "1002", "1003", "1004", "1005", "notes.txt"}));
  select({0, 2, 5});
  folder.write("2000");
  for (Answer answer : {Answer::No, Answer::Cancel, Answer::Yes}) {
    EXPECT_EQ(ListTraceFiles(folder.path()).size(), 7u);
    questions.replyMessage(answer);
    button(0)->click();
  }
  const AskedQuestion& asked = questions.asked()[0];
  EXPECT_EQ(asked.text, "Are you sure you want to delete the selected traces?");
  EXPECT_EQ(asked.buttons, Buttons::YesNoCancel);
  EXPECT_EQ(ListTraceFiles(folder.path()), (Names{"1002", "1004", "1005", "2000"}));
  EXPECT_EQ(dialog->names(), ListTraceFiles(folder.path()));
  EXPECT_EQ(list()->model()->rowCount(), 4);
}

TEST_F(TraceDisplayTest, SelectAllThenDeleteEmptiesTheFolderThenDeleteAsksNothing) {
  open();
  button(1)->click();
  questions.replyMessage(Answer::Yes);
  button(0)->click();
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
  EXPECT_EQ(list()->model()->rowCount(), 0);
  button(0)->click();
  EXPECT_EQ(questions.asked().size(), 1u);
}

TEST_F(TraceDisplayTest, Click_DrawsTheLowestSelectedEntryOnTheMainPicture) {
  open();
  QSignalSpy drawn(dialog.get(), &TraceDisplay::traceDrawn);
  select({3});
  select({1});  // selected last, but lower in the list
  dialog->File1_Click();
  ASSERT_EQ(drawn.size(), 1);
  EXPECT_EQ(drawn[0][0].toString(), "1002");
  EXPECT_TRUE(sameLines(picture.lines(), expectedDrawing("1002")));
  list()->clearSelection();  // a real mouse click selects the row and draws it
  // Mended fault: the click read the name from the save folder in use, which "&Setup" may
  // have changed since the list was made.
  Shared().SavePath = folder.file("elsewhere").string();
  const QRect row = list()->visualRect(list()->model()->index(2, 0));
  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_TRUE(sameLines(picture.lines(), expectedDrawing("1003")));
}

}  // namespace lumora
