#include "app/qt/message_frm.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "app/qt/questions.h"
#include "modal.h"
#include "trace/core/shared_values.h"

namespace lumora {
namespace {

TEST(MessageFrm, ShowMessage_ShowsTextUnderTitleBeepsAndClosesOnOk) {
  int beeps = 0;
  SetBeepHandler([&] { ++beeps; });
  QString caption;
  QString text;
  bool wordWrap = false;
  testing::OnNextModal([&](QWidget* modal) {
    caption = modal->windowTitle();
    auto* area = modal->findChild<QPlainTextEdit*>("Messagelbl");
    ASSERT_NE(area, nullptr);
    text = area->toPlainText();
    wordWrap = area->lineWrapMode() == QPlainTextEdit::WidgetWidth && area->isReadOnly();
    EXPECT_EQ(beeps, 1);
    modal->findChild<QPushButton*>("Command1")->click();
  });
  QtQuestions questions;
  questions.showMessage(nullptr, "Line one\n\nLine two", "Maintenance");
  SetBeepHandler({});
  EXPECT_EQ(caption, "Maintenance");
  EXPECT_EQ(text, "Line one\n\nLine two");
  EXPECT_TRUE(wordWrap);
  EXPECT_EQ(beeps, 1);
}

TEST(MessageFrm, Layout_HoldsPictureTextAreaAndOkButton) {
  MessageFrm window;
  window.setMessage("Text", "Title");
  EXPECT_EQ(window.size(), QSize(605, 395));  // 9075 by 5925 twips
  auto* label = window.findChild<QPlainTextEdit*>("Messagelbl");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->size(), QSize(519, 317));  // 7785 by 4755 twips
  auto* image = window.findChild<QLabel*>("Image1");
  ASSERT_NE(image, nullptr);
  EXPECT_FALSE(image->pixmap().isNull());
  auto* ok = window.findChild<QPushButton*>("Command1");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_GT(ok->y(), label->geometry().bottom());
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

TEST(MessageFrm, LongText_ScrollsInsteadOfBeingCutOff) {
  MessageFrm window;
  QString text;
  for (int step = 1; step <= 40; ++step)
    text += QString("%1.  A step of the instructions.\n\n").arg(step);
  window.setMessage(text, "Tarsel Instructions");
  window.show();
  auto* area = window.findChild<QPlainTextEdit*>("Messagelbl");
  ASSERT_NE(area, nullptr);
  EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
  EXPECT_TRUE(area->toPlainText().contains("40.  A step"));
}

}  // namespace
}  // namespace lumora
