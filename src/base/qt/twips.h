// Window layouts are given in twips (1/1440 inch); at the usual 96 dots per inch a pixel is
// 15 twips. The layouts are made for an 8-point font: larger text would not fit them.
#pragma once

#include <QFont>
#include <QWidget>

namespace lumora {

constexpr int twips(int twips) { return twips / 15; }

// Gives `form` and its controls the 8-point font the layouts are made for.
inline void useFormFont(QWidget* form, const QString& family = {}) {
  QFont font = form->font();
  if (!family.isEmpty()) font.setFamily(family);
  font.setPointSize(8);
  form->setFont(font);
}

}  // namespace lumora
