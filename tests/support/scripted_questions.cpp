#include "scripted_questions.h"

#include <utility>

namespace lumora {

void ScriptedQuestions::replyMessage(Answer answer) {
  replies_.push_back({AskedQuestion::Kind::Message, answer, std::nullopt});
}

void ScriptedQuestions::replyInput(std::optional<QString> text) {
  replies_.push_back({AskedQuestion::Kind::Input, Answer::Ok, std::move(text)});
}

void ScriptedQuestions::replySaveFile(std::optional<QString> path) {
  replies_.push_back({AskedQuestion::Kind::SaveFile, Answer::Ok, std::move(path)});
}

std::optional<ScriptedQuestions::Reply> ScriptedQuestions::take(AskedQuestion::Kind kind) {
  if (replies_.empty() || replies_.front().For != kind) {
    ++mistakes_;
    return std::nullopt;
  }
  Reply reply = std::move(replies_.front());
  replies_.pop_front();
  return reply;
}

Answer ScriptedQuestions::ask(QWidget*, const QString& text, const QString& title, Buttons buttons,
                              Icon icon) {
  asked_.push_back({AskedQuestion::Kind::Message, title, text, {}, buttons, icon});
  std::optional<Reply> reply = take(AskedQuestion::Kind::Message);
  return reply ? reply->Button : Answer::Cancel;
}

std::optional<QString> ScriptedQuestions::inputText(QWidget*, const QString& prompt,
                                                    const QString& title, const QString& preset) {
  asked_.push_back(
      {AskedQuestion::Kind::Input, title, prompt, preset, Buttons::OkCancel, Icon::None});
  std::optional<Reply> reply = take(AskedQuestion::Kind::Input);
  return reply ? reply->Text : std::nullopt;
}

std::optional<QString> ScriptedQuestions::saveFileName(QWidget*, const QString& title,
                                                       const QString& folder,
                                                       const QString& filter) {
  asked_.push_back(
      {AskedQuestion::Kind::SaveFile, title, filter, folder, Buttons::OkCancel, Icon::None});
  std::optional<Reply> reply = take(AskedQuestion::Kind::SaveFile);
  return reply ? reply->Text : std::nullopt;
}

void ScriptedQuestions::showMessage(QWidget*, const QString& text, const QString& title) {
  asked_.push_back({AskedQuestion::Kind::Window, title, text, {}, Buttons::Ok, Icon::None});
}

}  // namespace lumora
