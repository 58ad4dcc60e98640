#include <gtest/gtest.h>

#include <QDateTime>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <memory>

#include "base/core/file_read.h"
#include "scripted_questions.h"
#include "temp_folder.h"
#include "trace_packets.h"
#include "view/core/dimension_labels.h"
#include "view/core/millimetre_surface.h"
#include "view/core/trace_folder.h"
#include "view/qt/trace_maintenance_dialog.h"
#include "view/qt/trace_picture.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// The dialog over the five samples and a file that is not a trace.
class TraceMaintenanceDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"1001", "1002", "1003", "1004", "1005"})
      std::filesystem::copy_file(std::filesystem::path(LUMORA_SAMPLES) / name, folder.file(name));
    folder.write("notes.txt", "not a trace");
    dialog = std::make_unique<TraceMaintenanceDialog>(questions, folder.path(), picture, calibration);
    dialog->show();
  }
  QListView* list() const { return dialog->findChild<QListView*>("traceList"); }
  void click(const char* button) const { dialog->findChild<QPushButton*>(button)->click(); }
  void select(int row) const { list()->selectionModel()->select(list()->model()->index(row, 0), QItemSelectionModel::Select); }
  // Whether `drawing` (the main picture unless named) shows the trace `name` as drawn at `calibration`.
  bool shows(const std::string& name, const MillimetreSurface* drawing = nullptr) const {
    if (!drawing) drawing = &picture;
    MillimetreSurface expected(drawing->widthMm(), drawing->heightMm());
    testing::processed(readFileText(folder.file(name).string())).draw(expected, Side::Right, calibration);
    const auto start = [](const MillimetreSurface& s) { return std::pair(s.lines().at(0).x1, s.lines().at(0).y1); };
    return !drawing->lines().empty() && start(*drawing) == start(expected);
  }

  // The preview: the trace drawn as on the main picture, its labels as the main window's.
  QString facts() const { return dialog->findChild<QLabel*>("previewFacts")->text(); }
  const MillimetreSurface& preview() const { return dialog->findChild<TracePicture*>("previewPicture")->drawing(); }
  // The line shown in the picture's place; empty while the picture is.
  QString notice() const {
    const auto* place = dialog->findChild<QLabel*>("previewNotice");
    return place->isVisible() ? place->text() : QString();
  }
  void expectPreviews(const std::string& name) const {
    EXPECT_TRUE(shows(name, &preview()));
    EXPECT_EQ(notice(), "");
    const TraceLabels labels = rightEyeLabels(testing::processed(readFileText(folder.file(name).string())));
    for (const std::string& line : {labels.boxWidth, labels.boxHeight, labels.effectiveDiameter, labels.circumference,
                                    labels.distanceBetweenLenses})
      EXPECT_TRUE(facts().contains(QString::fromStdString(line))) << name << " " << line;
  }

  testing::TempFolder folder;
  ScriptedQuestions questions;
  MillimetreSurface picture{100, 80};
  ScreenCalibration calibration{1.2, 0.9};
  std::unique_ptr<TraceMaintenanceDialog> dialog;
};

// No and Cancel keep every file; Yes removes exactly the selected ones and reads the folder
// again. After "&Select All" and a delete nothing is left to ask about.
TEST_F(TraceMaintenanceDialogTest, DeleteRemovesExactlyTheSelectedFilesOnlyAfterYes) {
  EXPECT_EQ(dialog->names(), (Names{"1001", "1002", "1003", "1004", "1005", "notes.txt"}));
  for (int row : {0, 2, 5}) select(row);
  folder.write("2000");
  for (Answer answer : {Answer::No, Answer::Cancel, Answer::Yes}) {
    EXPECT_EQ(listTraceFiles(folder.path()).size(), 7u);
    questions.replyMessage(answer);
    click("deleteButton");
  }
  EXPECT_EQ(questions.asked()[0].text, "Are you sure you want to delete the selected traces?");
  EXPECT_EQ(questions.asked()[0].buttons, Buttons::YesNoCancel);
  EXPECT_EQ(listTraceFiles(folder.path()), (Names{"1002", "1004", "1005", "2000"}));
  EXPECT_EQ(dialog->names(), listTraceFiles(folder.path()));
  EXPECT_EQ(list()->model()->rowCount(), 4);
  click("selectAllButton");
  questions.replyMessage(Answer::Yes);
  click("deleteButton");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
  EXPECT_EQ(list()->model()->rowCount(), 0);
  click("deleteButton");
  EXPECT_EQ(questions.asked().size(), 4u);
}

// A click previews its entry; each arrow key previews the next, with the file's date and size.
TEST_F(TraceMaintenanceDialogTest, ThePreviewFollowsTheArrowKeysWithMeasurementsAndFileFacts) {
  const QDateTime stamp(QDate(2024, 5, 6), QTime(7, 8));
  fs::last_write_time(folder.file("1002"), std::chrono::file_clock::from_sys(std::chrono::sys_seconds(
                                               std::chrono::seconds(stamp.toSecsSinceEpoch()))));
  list()->setFocus();
  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualRect(list()->model()->index(0, 0)).center());
  expectPreviews("1001");
  QTest::keyClick(list(), Qt::Key_Down);
  expectPreviews("1002");
  EXPECT_TRUE(facts().contains("Date: 2024-05-06 07:08")) << facts().toStdString();
  EXPECT_TRUE(facts().contains(QStringLiteral("Size: %1 bytes").arg(fs::file_size(folder.file("1002")))));
  QTest::keyClick(list(), Qt::Key_Down);
  expectPreviews("1003");
}

// A file gone since the list was read, emptied, or holding no trace shows a line saying so
// instead of a picture.
TEST_F(TraceMaintenanceDialogTest, AFileThePreviewCannotShowGetsALineInsteadOfAPicture) {
  fs::remove(folder.file("1003"));
  folder.write("1004", "");
  const struct { int row; const char* says; } cases[] = {
      {2, "Not shown: no trace file "}, {3, "Not shown: the trace file "}, {5, "Not shown: notes.txt holds no trace outline"}};
  for (const auto& c : cases) {
    list()->setCurrentIndex(list()->model()->index(c.row, 0));
    EXPECT_TRUE(notice().startsWith(c.says)) << notice().toStdString();
    EXPECT_TRUE(preview().lines().empty());
  }
  EXPECT_TRUE(facts().startsWith("Date: ")) << facts().toStdString();
}

}  // namespace
}  // namespace lumora
