// The UTF-8 texts of the Qt-free code as QString (QString::toStdString goes the other way).
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace lumora {

inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace lumora
