#include "base/qt/questions.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "base/core/platform_values.h"
#include "base/qt/message_window.h"
#include "base/qt/qt_text.h"

namespace lumora {
namespace {

QMessageBox::StandardButtons standardButtons(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return QMessageBox::Ok;
    case Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(Icon icon) {
  switch (icon) {
    case Icon::None:
      return QMessageBox::NoIcon;
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::Warning:
      return QMessageBox::Warning;
    case Icon::Error:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

Answer answerOf(int button) {
  switch (button) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

}  // namespace

Answer QtQuestions::ask(QWidget* parent, const QString& text, const QString& title, Buttons buttons,
                        Icon icon) {
  QMessageBox box(boxIcon(icon), title, text, standardButtons(buttons), parent);
  return answerOf(box.exec());
}

std::optional<QString> QtQuestions::inputText(QWidget* parent, const QString& prompt,
                                              const QString& title, const QString& preset) {
  bool ok = false;
  QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, preset, &ok);
  if (!ok) return std::nullopt;
  return answer;
}

std::optional<QString> QtQuestions::saveFileName(QWidget* parent, const QString& title,
                                                 const QString& folder, const QString& filter) {
  const QString shown = filter == QStringLiteral("*.*") ? toQString(everyFileFilter()) : filter;
  QString path = QFileDialog::getSaveFileName(parent, title, folder, shown);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

void QtQuestions::showMessage(QWidget* parent, const QString& text, const QString& title) {
  MessageWindow window(parent);
  window.showMessage(text, title);
}

}  // namespace lumora
