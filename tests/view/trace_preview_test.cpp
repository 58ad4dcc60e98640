// The maintenance dialog's preview of the trace under the list's cursor.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QLabel>
#include <QListView>
#include <QStackedWidget>
#include <QTest>
#include <chrono>
#include <filesystem>

#include "base/core/file_read.h"
#include "scripted_questions.h"
#include "temp_folder.h"
#include "trace_packets.h"
#include "view/core/dimension_labels.h"
#include "view/qt/trace_maintenance_dialog.h"
#include "view/qt/trace_picture.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

class TracePreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"1001", "1002", "1003"}) fs::copy_file(fs::path(LUMORA_SAMPLES) / name, folder.file(name));
    folder.write("empty", "");
    folder.write("notes.txt", "not a trace");
    dialog = std::make_unique<TraceMaintenanceDialog>(questions, folder.path(), mainPicture, calibration);
    dialog->show();
    list()->setFocus();
  }
  QListView* list() const { return dialog->findChild<QListView*>("traceList"); }
  QString facts() const { return dialog->findChild<QLabel*>("previewFacts")->text(); }
  const TracePicture& picture() const { return *dialog->findChild<TracePicture*>("previewPicture"); }
  // The line shown in the picture's place; empty while the picture is.
  QString notice() const {
    const auto* place = dialog->findChild<QLabel*>("previewNotice");
    return place->isVisible() ? place->text() : QString();
  }
  // The preview shows `name`'s right eye as the main window draws it, with its labels.
  void expectShows(const std::string& name) const {
    const TraceRecord trace = testing::processed(readFileText(folder.file(name).string()));
    MillimetreSurface expected(picture().drawing().widthMm(), picture().drawing().heightMm());
    trace.draw(expected, Side::Right, calibration);
    ASSERT_EQ(picture().drawing().lines().size(), expected.lines().size()) << name;
    EXPECT_EQ(picture().drawing().lines()[0].x1, expected.lines()[0].x1) << name;
    EXPECT_EQ(notice(), "");
    const TraceLabels labels = rightEyeLabels(trace);
    for (const std::string& line : {labels.boxWidth, labels.boxHeight, labels.effectiveDiameter, labels.circumference,
                                    labels.distanceBetweenLenses})
      EXPECT_TRUE(facts().contains(QString::fromStdString(line))) << name << " " << line;
  }

  testing::TempFolder folder;
  ScriptedQuestions questions;
  MillimetreSurface mainPicture{100, 80};
  ScreenCalibration calibration{1.2, 0.9};
  std::unique_ptr<TraceMaintenanceDialog> dialog;
};

// A click previews its entry; each arrow key previews the next, with the file's date and size.
TEST_F(TracePreviewTest, FollowsTheArrowKeysWithMeasurementsAndFileFacts) {
  const QDateTime stamp(QDate(2024, 5, 6), QTime(7, 8));
  fs::last_write_time(folder.file("1002"), std::chrono::file_clock::from_sys(std::chrono::sys_seconds(
                                               std::chrono::seconds(stamp.toSecsSinceEpoch()))));
  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualRect(list()->model()->index(0, 0)).center());
  expectShows("1001");
  QTest::keyClick(list(), Qt::Key_Down);
  expectShows("1002");
  EXPECT_TRUE(facts().contains("Date: 2024-05-06 07:08")) << facts().toStdString();
  EXPECT_TRUE(facts().contains(QStringLiteral("Size: %1 bytes").arg(fs::file_size(folder.file("1002")))));
  QTest::keyClick(list(), Qt::Key_Down);
  expectShows("1003");
}

// A file that is empty, gone since the list was read, or holds no trace shows a line saying
// so instead of a picture.
TEST_F(TracePreviewTest, AFileThatCannotBeShownGetsALineInsteadOfAPicture) {
  fs::remove(folder.file("1003"));
  const struct { int row; const char* says; } cases[] = {
      {2, "Not shown: no trace file "}, {3, "Not shown: the trace file "}, {4, "Not shown: notes.txt holds no trace outline"}};
  for (const auto& c : cases) {
    list()->setCurrentIndex(list()->model()->index(c.row, 0));
    EXPECT_TRUE(notice().startsWith(c.says)) << notice().toStdString();
    EXPECT_TRUE(picture().drawing().lines().empty());
  }
  EXPECT_TRUE(facts().startsWith("Date: ")) << facts().toStdString();
}

}  // namespace
}  // namespace lumora
