#include "trace/core/trace_name.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace lumora {
namespace {

// Device names Windows reserves in every folder, with or without an extension.
bool isReservedDeviceName(std::string_view name) {
  std::string stem(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  std::transform(stem.begin(), stem.end(), stem.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  static constexpr std::array<std::string_view, 4> plain{"CON", "PRN", "AUX", "NUL"};
  if (std::find(plain.begin(), plain.end(), stem) != plain.end()) return true;
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
         stem[3] >= '0' && stem[3] <= '9';
}

}  // namespace

std::string TraceNameProblem(std::string_view name) {
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
  return {};
}

}  // namespace lumora
