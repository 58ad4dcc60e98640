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
      picture_(new QLabel(this)),
      messageText_(newTextArea(this, "messageText")),
      okButton_(new QPushButton(QStringLiteral("OK"), this)) {
  setModal(true);
  useFormFont(this);
  setFixedSize(twips(9075), twips(5925));
  picture_->setObjectName(QStringLiteral("picture"));
  picture_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
  picture_->setGeometry(twips(120), twips(120), twips(720), twips(720));
  messageText_->setGeometry(twips(1080), twips(120), twips(7785), twips(4755));
  okButton_->setObjectName(QStringLiteral("okButton"));
  okButton_->setGeometry(twips(3960), twips(5100), twips(1215), twips(495));
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void MessageWindow::setMessage(const QString& text, const QString& title) {
  setWindowTitle(title);
  messageText_->setPlainText(text);
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
