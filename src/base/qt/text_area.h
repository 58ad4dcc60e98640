// A read-only, word-wrapped text area that looks like a label but scrolls when its text does
// not fit, so no part of a long help text is ever cut off.
#pragma once

#include <QPlainTextEdit>

namespace lumora {

inline QPlainTextEdit* newTextArea(QWidget* parent, const char* name) {
  auto* area = new QPlainTextEdit(parent);
  area->setObjectName(QString::fromLatin1(name));
  area->setReadOnly(true);
  area->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  area->setFrameShape(QFrame::NoFrame);
  area->setFocusPolicy(Qt::NoFocus);
  QPalette palette = area->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  area->setPalette(palette);
  return area;
}

}  // namespace lumora
