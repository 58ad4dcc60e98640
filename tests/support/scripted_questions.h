// Questions answered from a script, for tests: each question takes the next scripted reply
// and is recorded. A question with no reply left, or of another kind than the reply
// expects, is recorded as a mistake and answered Cancel.
#pragma once

#include <deque>
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
 public:
  void replyMessage(Answer answer);
  // Nothing stands for Cancel.
  void replyInput(std::optional<QString> text);
  void replySaveFile(std::optional<QString> path);

  const std::vector<AskedQuestion>& asked() const { return asked_; }
  // Questions that found no fitting reply, and replies never used.
  int mistakes() const { return mistakes_; }
  int unusedReplies() const { return static_cast<int>(replies_.size()); }

  Answer ask(QWidget* parent, const QString& text, const QString& title, Buttons buttons,
             Icon icon) override;
  std::optional<QString> inputText(QWidget* parent, const QString& prompt, const QString& title,
                                   const QString& preset) override;
  std::optional<QString> saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                      const QString& filter) override;
  void showMessage(QWidget* parent, const QString& text, const QString& title) override;

 private:
  struct Reply {
    AskedQuestion::Kind kind;
    Answer button = Answer::Cancel;
    std::optional<QString> text;
  };
  // Records `question` and hands it the next reply if that is for its kind.
  std::optional<Reply> take(AskedQuestion question);

  std::deque<Reply> replies_;
  std::vector<AskedQuestion> asked_;
  int mistakes_ = 0;
};

}  // namespace lumora
