#include "base/qt/message_window.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "base/qt/text_area.h"
#include "base/qt/twips.h"

namespace lumora {

MessageWindow::MessageWindow(QWidget* parent)
    : QDialog(parent),
      Image1(new QLabel(this)),
      Messagelbl(newTextArea(this, "Messagelbl")),
      Command1(new QPushButton(QStringLiteral("OK"), this)) {
  setModal(true);
  useFormFont(this);
  setFixedSize(twips(9075), twips(5925));
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
  Image1->setGeometry(twips(120), twips(120), twips(720), twips(720));
  Messagelbl->setGeometry(twips(1080), twips(120), twips(7785), twips(4755));
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setGeometry(twips(3960), twips(5100), twips(1215), twips(495));
  Command1->setDefault(true);
  connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

void MessageWindow::setMessage(const QString& text, const QString& title) {
  setWindowTitle(title);
  Messagelbl->setPlainText(text);
}

void MessageWindow::showMessage(const QString& text, const QString& title) {
  setMessage(text, title);
  exec();
}

void MessageWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  QApplication::beep();
}

}  // namespace lumora
