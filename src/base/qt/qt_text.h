// Conversions between the UTF-8 texts of the Qt-free code and QString.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace lumora {

inline QString QText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string StdText(const QString& text) { return text.toStdString(); }

}  // namespace lumora
