#include "scripted_questions.h"

#include <utility>

namespace lumora {

using Kind = AskedQuestion::Kind;

void ScriptedQuestions::replyMessage(Answer answer) { replies_.push_back({Kind::Message, answer, std::nullopt}); }

void ScriptedQuestions::replyInput(std::optional<QString> text) {
  replies_.push_back({Kind::Input, Answer::Ok, std::move(text)});
}

void ScriptedQuestions::replySaveFile(std::optional<QString> path) {
  replies_.push_back({Kind::SaveFile, Answer::Ok, std::move(path)});
}

std::optional<ScriptedQuestions::Reply> ScriptedQuestions::take(AskedQuestion question) {
  const Kind kind = question.kind;
  asked_.push_back(std::move(question));
  if (replies_.empty() || replies_.front().kind != kind) {
    ++mistakes_;
    return std::nullopt;
  }
  Reply reply = std::move(replies_.front());
  replies_.pop_front();
  return reply;
}

Answer ScriptedQuestions::ask(QWidget*, const QString& text, const QString& title, Buttons buttons, Icon icon) {
  const std::optional<Reply> reply = take({Kind::Message, title, text, {}, buttons, icon});
  return reply ? reply->button : Answer::Cancel;
}

std::optional<QString> ScriptedQuestions::inputText(QWidget*, const QString& prompt, const QString& title,
                                                    const QString& preset) {
  const std::optional<Reply> reply = take({Kind::Input, title, prompt, preset, Buttons::OkCancel, Icon::None});
  return reply ? reply->text : std::nullopt;
}

std::optional<QString> ScriptedQuestions::saveFileName(QWidget*, const QString& title, const QString& folder,
                                                       const QString& filter) {
  const std::optional<Reply> reply = take({Kind::SaveFile, title, filter, folder, Buttons::OkCancel, Icon::None});
  return reply ? reply->text : std::nullopt;
}

// The window needs no reply: it only shows a text.
void ScriptedQuestions::showMessage(QWidget*, const QString& text, const QString& title) {
  asked_.push_back({Kind::Window, title, text, {}, Buttons::Ok, Icon::None});
}

}  // namespace lumora
