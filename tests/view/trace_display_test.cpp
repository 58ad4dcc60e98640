#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/qt/scripted_questions.h"
#include "temp_folder.h"
#include "trace/core/shared_values.h"
#include "trace/core/vca_trace.h"
#include "view/core/millimetre_surface.h"
#include "view/core/trace_folder.h"
#include "view/qt/trace_display.h"

namespace lumora {
namespace {

using Names = std::vector<std::string>;

// Lines drawn on a 100 x 80 mm surface.
class TraceDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder.path().empty());
    Shared().SavePath = folder.path();
  }
  void addSamples() {
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
    clsVCATrace trace;
    trace.LoadVCATrace(name);
    trace.DrawTrace(expected, 0);
    return expected.lines();
  }
  static bool sameLines(const std::vector<DrawnLine>& a, const std::vector<DrawnLine>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const DrawnLine& x, const DrawnLine& y) {
      return x.X1 == y.X1 && x.Y1 == y.Y1 && x.X2 == y.X2 && x.Y2 == y.Y2 && x.Colour == y.Colour;
    });
  }

  testing::TempFolder folder;
  ScriptedQuestions questions;
  MillimetreSurface picture{100, 80};
  std::unique_ptr<TraceDisplay> dialog;
};

}  // namespace

TEST_F(TraceDisplayTest, DeleteWithYes_RemovesExactlyTheSelectedFiles) {
  addSamples();
  open();
  select({0, 2, 5});
  questions.replyMessage(Answer::Yes);
  button(0)->click();
  ASSERT_EQ(questions.asked().size(), 1u);
  const AskedQuestion& asked = questions.asked()[0];
  EXPECT_EQ(asked.Text, "Are you sure you want to delete the selected traces?");
  EXPECT_EQ(asked.ButtonSet, Buttons::YesNoCancel);
  EXPECT_EQ(ListTraceFiles(folder.path()), (Names{"1002", "1004", "1005"}));
  EXPECT_EQ(dialog->names(), (Names{"1002", "1004", "1005"}));
  EXPECT_EQ(list()->model()->rowCount(), 3);
}

TEST_F(TraceDisplayTest, OpeningListsTheSaveFolderDeleteWithNoOrCancelKeepsIt) {
  addSamples();
  open();
  EXPECT_EQ(dialog->names(), (Names{"1001", "1002", "1003", "1004", "1005", "notes.txt"}));
  EXPECT_EQ(list()->model()->index(5, 0).data().toString(), "notes.txt");
  select({1});
  folder.write("2000");  // appears on disk meanwhile: the list is not read again
  for (Answer answer : {Answer::No, Answer::Cancel}) {
    questions.replyMessage(answer);
    button(0)->click();
  }
  EXPECT_EQ(questions.asked().size(), 2u);
  EXPECT_TRUE(folder.has("1002"));
  EXPECT_EQ(list()->model()->rowCount(), 6);
}

TEST_F(TraceDisplayTest, SelectAllThenDelete_EmptiesTheFolder) {
  addSamples();
  open();
  button(1)->click();
  EXPECT_EQ(list()->selectionModel()->selectedRows().size(), 6);
  questions.replyMessage(Answer::Yes);
  button(0)->click();
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
  EXPECT_EQ(list()->model()->rowCount(), 0);
}

TEST_F(TraceDisplayTest, Click_DrawsTheLowestSelectedEntryOnTheMainPicture) {
  addSamples();
  open();
  QSignalSpy drawn(dialog.get(), &TraceDisplay::traceDrawn);
  select({3});
  select({1});  // selected last, but lower in the list
  dialog->File1_Click();
  ASSERT_EQ(drawn.size(), 1);
  EXPECT_EQ(drawn[0][0].toString(), "1002");
  EXPECT_EQ(picture.lines().size(), 402u);
  EXPECT_TRUE(sameLines(picture.lines(), expectedDrawing("1002")));

  list()->clearSelection();  // a mouse click selects the row and draws it
  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualRect(list()->model()->index(2, 0)).center());
  EXPECT_TRUE(sameLines(picture.lines(), expectedDrawing("1003")));
}

TEST_F(TraceDisplayTest, ClickWithNothingSelectedDrawsNothingOnAFileThatIsNotATraceClears) {
  addSamples();
  open();
  QSignalSpy drawn(dialog.get(), &TraceDisplay::traceDrawn);
  picture.drawLine(1, 1, 2, 2);
  dialog->File1_Click();
  EXPECT_EQ(drawn.size(), 0);
  EXPECT_EQ(picture.lines().size(), 1u);
  select({5});
  dialog->File1_Click();
  EXPECT_TRUE(picture.lines().empty());
}

TEST_F(TraceDisplayTest, InAnEmptyFolderDeleteAsksNothingAndCloseHides) {
  open();
  button(0)->click();
  EXPECT_TRUE(questions.asked().empty());
  button(2)->click();
  EXPECT_FALSE(dialog->isVisible());
}

}  // namespace lumora
