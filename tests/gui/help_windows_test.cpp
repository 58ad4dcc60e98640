#include "app/qt/help_windows.h"

#include <gtest/gtest.h>

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "app/core/about_box.h"
#include "app/qt/questions.h"
#include "app/qt/scripted_questions.h"
#include "modal.h"

namespace lumora {
namespace {

HelpTexts startupTexts() {
  HelpTexts texts;
  texts.BuildSetupHelpText("C:\\LumoraTraces");
  texts.BuildDailyOperationText();
  texts.BuildMaintenanceText();
  return texts;
}

TEST(AskTracerInstructions, Answer3ShowsTheNewFirmwareTarselInstructions) {
  ScriptedQuestions questions;
  questions.replyInput(QString("3"));
  HelpTexts texts = startupTexts();
  AskTracerInstructions(questions, texts, nullptr);
  ASSERT_EQ(questions.asked().size(), 2u);
  const AskedQuestion& box = questions.asked()[0];
  EXPECT_EQ(box.What, AskedQuestion::Kind::Input);
  EXPECT_EQ(box.Title, "Select Tracer Type");
  EXPECT_EQ(box.Text,
            "1. Corvane Orvid Tracer\n2. Corvane Pavane Tracer\n3. Corvane Tarsel (v1.23 "
            "Firmware or newer)\n4. Corvane Tarsel (v1.22 Firmware or older)\n");
  EXPECT_EQ(box.Preset, "");
  const AskedQuestion& message = questions.asked()[1];
  EXPECT_EQ(message.What, AskedQuestion::Kind::Window);
  EXPECT_EQ(message.Title, "Tarsel Instructions");
  EXPECT_TRUE(message.Text.startsWith(
      "These instructions are for Tarsel tracers equipped with v1.23 or newer firmware. Please "
      "read the Tarsel Tracer Manual before operating the unit.\n\n\n\n1.  Turn the Tarsel"));
  EXPECT_EQ(message.Text.toStdString(), texts.TracerInstructionsText);
}

TEST(AskTracerInstructions, LeadingNumberChoosesAndOtherAnswersShowNothing) {
  ScriptedQuestions questions;
  questions.replyInput(QString("2 please"));
  questions.replyInput(std::nullopt);
  questions.replyInput(QString("5"));
  questions.replyInput(QString("2.5"));
  HelpTexts texts = startupTexts();
  for (int i = 0; i < 4; ++i) AskTracerInstructions(questions, texts, nullptr);
  ASSERT_EQ(questions.asked().size(), 5u);
  EXPECT_EQ(questions.asked()[1].Title, "Pavane Instructions");
  for (std::size_t i = 2; i < 5; ++i) {
    EXPECT_EQ(questions.asked()[i].What, AskedQuestion::Kind::Input);
  }
  EXPECT_EQ(questions.mistakes(), 0);
}

TEST(HelpWindows, DailyOperationMaintenanceAndProgramSetupHelpShowTheirTexts) {
  ScriptedQuestions questions;
  HelpTexts texts = startupTexts();
  ShowDailyOperation(questions, texts, nullptr);
  ShowMaintenance(questions, texts, nullptr);
  ShowProgramSetupHelp(questions, texts, nullptr);
  ASSERT_EQ(questions.asked().size(), 3u);
  EXPECT_EQ(questions.asked()[0].Title, "Daily Operation");
  EXPECT_EQ(questions.asked()[0].Text.toStdString(), texts.DailyOperationText);
  EXPECT_EQ(questions.asked()[1].Title, "Maintenance");
  EXPECT_EQ(questions.asked()[1].Text.toStdString(), texts.MaintenanceText);
  EXPECT_EQ(questions.asked()[2].Title, "Program Setup Help");
  EXPECT_TRUE(questions.asked()[2].Text.startsWith(
      "This information is also available on the Program Setup Menu.\n\n"));
  EXPECT_TRUE(questions.asked()[2].Text.endsWith(QString::fromStdString(texts.SetupHelpText)));
}

TEST(HelpWindows, AboutBoxIsAnInformationBoxUnderTheApplicationTitle) {
  ScriptedQuestions questions;
  questions.replyMessage(Answer::Ok);
  ShowAboutBox(questions, nullptr, 3, "19200,N,8,1", "/srv/traces");
  ASSERT_EQ(questions.asked().size(), 1u);
  const AskedQuestion& box = questions.asked()[0];
  EXPECT_EQ(box.Title, "Lumora Corvane Trace Server");
  EXPECT_EQ(box.ButtonSet, Buttons::Ok);
  EXPECT_EQ(box.Symbol, Icon::Information);
  EXPECT_EQ(box.Text.toStdString(), AboutText(ProgramVersion(), 3, "19200,N,8,1", "/srv/traces"));
  EXPECT_TRUE(box.Text.contains("\n\nCOM:3  19200,N,8,1\n\nSave Path: /srv/traces"));
}

TEST(QtQuestions, MessageBoxReportsTheButtonPressed) {
  QtQuestions questions;
  QString seenText;
  testing::OnNextModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    seenText = box->text();
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(questions.ask(nullptr, "Delete?", "Title", Buttons::YesNoCancel, Icon::Question),
            Answer::No);
  EXPECT_EQ(seenText, "Delete?");
}

TEST(QtQuestions, InputBoxReturnsTheTextOrNothingWhenCancelled) {
  QtQuestions questions;
  testing::OnNextModal([](QWidget* modal) {
    auto* box = qobject_cast<QInputDialog*>(modal);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->textValue(), "19200");
    box->setTextValue("9600");
    box->accept();
  });
  EXPECT_EQ(questions.inputText(nullptr, "Speed?", "Serial Port Baud Rate", "19200"),
            std::optional<QString>{"9600"});
  testing::OnNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(questions.inputText(nullptr, "Speed?", "Serial Port Baud Rate", "19200"), std::nullopt);
}

}  // namespace
}  // namespace lumora
