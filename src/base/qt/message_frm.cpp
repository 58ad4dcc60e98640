#include "base/qt/message_frm.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "base/qt/text_area.h"
#include "base/qt/twips.h"

namespace lumora {

MessageFrm::MessageFrm(QWidget* parent)
    : QDialog(parent),
      Image1(new QLabel(this)),
      Messagelbl(NewTextArea(this, "Messagelbl")),
      Command1(new QPushButton(QStringLiteral("OK"), this)) {
  setModal(true);
  UseFormFont(this);
  setFixedSize(Twips(9075), Twips(5925));
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
  Image1->setGeometry(Twips(120), Twips(120), Twips(720), Twips(720));
  Messagelbl->setGeometry(Twips(1080), Twips(120), Twips(7785), Twips(4755));
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setGeometry(Twips(3960), Twips(5100), Twips(1215), Twips(495));
  Command1->setDefault(true);
  connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

void MessageFrm::setMessage(const QString& text, const QString& title) {
  setWindowTitle(title);
  Messagelbl->setPlainText(text);
}

void MessageFrm::ShowMessage(const QString& text, const QString& title) {
  setMessage(text, title);
  exec();
}

void MessageFrm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  QApplication::beep();
}

}  // namespace lumora
