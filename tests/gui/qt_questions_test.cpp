#include <gtest/gtest.h>

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "base/qt/questions.h"
#include "modal.h"

namespace lumora {

// A wrong button here would, say, delete traces the user meant to keep.
TEST(QtQuestions, MessageBoxReportsTheButtonPressedAndInputBoxTheTextOrNothing) {
  QtQuestions questions;
  testing::OnNextModal([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::No)->click(); });
  EXPECT_EQ(questions.ask(nullptr, "Delete?", "Title", Buttons::YesNoCancel, Icon::Question), Answer::No);
  testing::OnNextModal([](QWidget* modal) {
    auto* box = qobject_cast<QInputDialog*>(modal);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->textValue(), "19200");
    box->setTextValue("9600");
    box->accept();
  });
  EXPECT_EQ(questions.inputText(nullptr, "Speed?", "Serial Port Baud Rate", "19200"), std::optional<QString>{"9600"});
  testing::OnNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(questions.inputText(nullptr, "Speed?", "Serial Port Baud Rate", "19200"), std::nullopt);
}

}  // namespace lumora
