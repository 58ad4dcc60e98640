// Every modal question the windows ask: message boxes, the text-input box, the save-file and
// folder dialogs, and the message window. Windows ask through this interface, so tests can
// answer in place of a person.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace lumora {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Warning, Error };
enum class Answer { Ok, Cancel, Yes, No };

class Questions {
 public:
  virtual ~Questions() = default;

  // A message box; closing it without a button answers Cancel (or No, or Ok, when the
  // buttons hold no Cancel).
  virtual Answer ask(QWidget* parent, const QString& text, const QString& title, Buttons buttons,
                     Icon icon) = 0;
  // A text-input box; nothing when cancelled.
  virtual std::optional<QString> inputText(QWidget* parent, const QString& prompt,
                                           const QString& title, const QString& preset) = 0;
  // A save-file dialog starting in `folder`; the chosen full path, nothing when cancelled.
  virtual std::optional<QString> saveFileName(QWidget* parent, const QString& title,
                                              const QString& folder, const QString& filter) = 0;
  // The message window with `text` under the caption `title`; returns once it is closed.
  virtual void showMessage(QWidget* parent, const QString& text, const QString& title) = 0;
};

// The questions as real modal windows.
class QtQuestions : public Questions {
 public:
  Answer ask(QWidget* parent, const QString& text, const QString& title, Buttons buttons,
             Icon icon) override;
  std::optional<QString> inputText(QWidget* parent, const QString& prompt, const QString& title,
                                   const QString& preset) override;
  std::optional<QString> saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                      const QString& filter) override;
  void showMessage(QWidget* parent, const QString& text, const QString& title) override;
};

}  // namespace lumora
