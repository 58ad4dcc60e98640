#include "trace/core/trace_name.h"

#include <algorithm>
#include <array>

#include "base/core/ascii_text.h"

namespace lumora {
namespace {

// Device names Windows reserves in every folder, with or without an extension.
bool isReservedDeviceName(std::string_view name) {
  std::string stem = asciiUpper(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  static constexpr std::array<std::string_view, 6> plain{"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  if (std::find(plain.begin(), plain.end(), stem) != plain.end()) return true;
  if (!stem.starts_with("COM") && !stem.starts_with("LPT")) return false;
  // A digit, or a superscript one to three (Windows counts those too), in the code page or UTF-8.
  static constexpr std::array<std::string_view, 6> superscripts{"\xB9", "\xB2", "\xB3",
                                                                "\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
  const std::string_view number = std::string_view(stem).substr(3);
  return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') ||
         std::find(superscripts.begin(), superscripts.end(), number) != superscripts.end();
}

// The reason, or nullptr for a safe name.
const char* unsafeNameReason(std::string_view name) {
  if (name.empty()) return "is empty";
  if (name.size() > 255) return "is longer than 255 characters";
  if (name == "." || name == "..") return "names a folder";
  for (unsigned char c : name) {
    if (c < 32 || c == 127) return "contains a control character";
    if (c == '/' || c == '\\') return "contains a path separator";
    if (c == ':') return "contains a drive or stream separator";
    if (std::string_view("<>\"|?*").find(static_cast<char>(c)) != std::string_view::npos)
      return "contains a character Windows refuses in file names";
  }
  // Hidden where the program lists traces, so a stored trace would seem lost.
  if (name.front() == '.') return "starts with a dot, which hides the file";
  if (name.back() == '.' || name.back() == ' ') return "ends with a dot or blank";
  if (isReservedDeviceName(name)) return "is a reserved device name";
  return nullptr;
}

}  // namespace

std::optional<Problem> traceNameProblem(std::string_view name) {
  const char* const reason = unsafeNameReason(name);
  if (!reason) return std::nullopt;
  return Problem{reason};
}

}  // namespace lumora
