#include "app/qt/message_frm.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "app/qt/questions.h"
#include "modal.h"
#include "trace/core/shared_values.h"

namespace lumora {
namespace {

TEST(MessageFrm, ShowsTheTextUnderItsTitleBeepsOnceAndClosesOnOk) {
  int beeps = 0;
  SetBeepHandler([&] { ++beeps; });
  QString caption, text;
  bool wrappedReadOnly = false;
  testing::OnNextModal([&](QWidget* modal) {
    caption = modal->windowTitle();
    auto* area = modal->findChild<QPlainTextEdit*>("Messagelbl");
    ASSERT_NE(area, nullptr);
    text = area->toPlainText();
    wrappedReadOnly = area->lineWrapMode() == QPlainTextEdit::WidgetWidth && area->isReadOnly();
    modal->findChild<QPushButton*>("Command1")->click();
  });
  QtQuestions questions;
  questions.showMessage(nullptr, "Line one\n\nLine two", "Maintenance");
  SetBeepHandler({});
  EXPECT_EQ(caption, "Maintenance");
  EXPECT_EQ(text, "Line one\n\nLine two");
  EXPECT_TRUE(wrappedReadOnly);
  EXPECT_EQ(beeps, 1);
}

TEST(MessageFrm, LongTextScrollsInsteadOfBeingCutOff) {
  MessageFrm window;
  QString text;
  for (int step = 1; step <= 40; ++step) text += QString("%1.  A step of the instructions.\n\n").arg(step);
  window.setMessage(text, "Tarsel Instructions");
  window.show();
  auto* area = window.findChild<QPlainTextEdit*>("Messagelbl");
  ASSERT_NE(area, nullptr);
  EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
  EXPECT_TRUE(area->toPlainText().contains("40.  A step"));
}

}  // namespace
}  // namespace lumora
