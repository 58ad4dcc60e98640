// The message window: a picture, a word-wrapped text and an "OK" button. It beeps when it
// opens and closes on "OK" or its close box.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace lumora {

class MessageWindow : public QDialog {
  Q_OBJECT

 public:
  explicit MessageWindow(QWidget* parent = nullptr);

  // Shows `text` under the caption `title`, modally; returns once the window is closed.
  void showMessage(const QString& text, const QString& title);
  // Sets the caption and the text without showing the window.
  void setMessage(const QString& text, const QString& title);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* picture_;
  QPlainTextEdit* messageText_;
  QPushButton* okButton_;
};

}  // namespace lumora
