// Questions answered from a script, for tests: each question takes the next scripted reply
// and is recorded. A question with no reply left, or of another kind than the reply
// expects, is recorded as a mistake and answered Cancel.
#pragma once

#include <deque>
#include <utility>
#include <vector>

#include "base/qt/questions.h"

namespace lumora {

struct AskedQuestion {
  enum class Kind { Message, Input, SaveFile, Window };
  Kind kind = Kind::Message;
  QString title;
  QString text;    // message text, input prompt, file filter or window text
  QString preset;  // input preset, start folder
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
};

class ScriptedQuestions : public Questions {
  using Kind = AskedQuestion::Kind;

 public:
  void replyMessage(Answer answer) { replies_.push_back({Kind::Message, answer, std::nullopt}); }
  // Nothing stands for Cancel.
  void replyInput(std::optional<QString> text) { replies_.push_back({Kind::Input, Answer::Ok, std::move(text)}); }
  void replySaveFile(std::optional<QString> path) { replies_.push_back({Kind::SaveFile, Answer::Ok, std::move(path)}); }

  const std::vector<AskedQuestion>& asked() const { return asked_; }
  // Questions that found no fitting reply, and replies never used.
  int mistakes() const { return mistakes_; }
  int unusedReplies() const { return static_cast<int>(replies_.size()); }

  Answer ask(QWidget*, const QString& text, const QString& title, Buttons buttons, Icon icon) override {
    return take({Kind::Message, title, text, {}, buttons, icon}).button;
  }
  std::optional<QString> inputText(QWidget*, const QString& prompt, const QString& title,
                                   const QString& preset) override {
    return take({Kind::Input, title, prompt, preset, Buttons::OkCancel, Icon::None}).text;
  }
  std::optional<QString> saveFileName(QWidget*, const QString& title, const QString& folder,
                                      const QString& filter) override {
    return take({Kind::SaveFile, title, filter, folder, Buttons::OkCancel, Icon::None}).text;
  }
  // The window needs no reply: it only shows a text.
  void showMessage(QWidget*, const QString& text, const QString& title) override {
    asked_.push_back({Kind::Window, title, text, {}, Buttons::Ok, Icon::None});
  }

 private:
  struct Reply {
    Kind kind;
    Answer button = Answer::Cancel;
    std::optional<QString> text;
  };
  // Records `question` and hands it the next reply if that is for its kind, else Cancel.
  Reply take(AskedQuestion question) {
    const Kind kind = question.kind;
    asked_.push_back(std::move(question));
    if (replies_.empty() || replies_.front().kind != kind) {
      ++mistakes_;
      return {kind, Answer::Cancel, std::nullopt};
    }
    Reply reply = std::move(replies_.front());
    replies_.pop_front();
    return reply;
  }

  std::deque<Reply> replies_;
  std::vector<AskedQuestion> asked_;
  int mistakes_ = 0;
};

}  // namespace lumora
