#include "app/qt/help_windows.h"

#include <gtest/gtest.h>

#include <QInputDialog>
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

TEST(AskTracerInstructions, TheChosenModelsInstructionsFollowTheQuestionOtherAnswersShowNothing) {
  ScriptedQuestions questions;
  questions.replyInput(QString("3"));
  questions.replyInput(QString("2 please"));
  questions.replyInput(std::nullopt);
  questions.replyInput(QString("5"));
  HelpTexts texts = startupTexts();
  AskTracerInstructions(questions, texts, nullptr);
  ASSERT_EQ(questions.asked().size(), 2u);
  EXPECT_EQ(questions.asked()[0].Title, "Select Tracer Type");
  EXPECT_EQ(questions.asked()[0].Preset, "");
  EXPECT_EQ(questions.asked()[1].What, AskedQuestion::Kind::Window);
  EXPECT_EQ(questions.asked()[1].Title, "Tarsel Instructions");
  EXPECT_EQ(questions.asked()[1].Text.toStdString(), texts.TracerInstructionsText);
  AskTracerInstructions(questions, texts, nullptr);
  EXPECT_EQ(questions.asked().back().Title, "Pavane Instructions");
  for (int i = 0; i < 2; ++i) AskTracerInstructions(questions, texts, nullptr);  // Cancel, then 5
  ASSERT_EQ(questions.asked().size(), 6u);
  EXPECT_EQ(questions.asked()[5].What, AskedQuestion::Kind::Input);
  EXPECT_EQ(questions.mistakes(), 0);
}

TEST(HelpWindows, DailyOperationMaintenanceSetupHelpAndAboutShowTheirTexts) {
  ScriptedQuestions questions;
  questions.replyMessage(Answer::Ok);
  HelpTexts texts = startupTexts();
  ShowDailyOperation(questions, texts, nullptr);
  ShowMaintenance(questions, texts, nullptr);
  ShowProgramSetupHelp(questions, texts, nullptr);
  ShowAboutBox(questions, nullptr, 3, "19200,N,8,1", "/srv/traces");
  ASSERT_EQ(questions.asked().size(), 4u);
  const std::pair<const char*, std::string> shown[] = {
      {"Daily Operation", texts.DailyOperationText},
      {"Maintenance", texts.MaintenanceText},
      {"Program Setup Help", ProgramSetupHelpMessage(texts.SetupHelpText)},
      {"Lumora Corvane Trace Server", AboutText(ProgramVersion(), 3, "19200,N,8,1", "/srv/traces")}};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(questions.asked()[i].Title, shown[i].first);
    EXPECT_EQ(questions.asked()[i].Text.toStdString(), shown[i].second);
  }
  EXPECT_EQ(questions.asked()[3].Symbol, Icon::Information);
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
