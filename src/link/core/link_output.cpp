#include "link/core/link_output.h"

#include <array>

namespace lumora {

std::string_view KindName(OutputKind kind) {
  static constexpr std::array<std::string_view, 14> names{
      "Write",           "DiscardInput",      "Activity",    "RawDataCleared",   "RawDataAdded",
      "RawDataReplaced", "OrderLabel",        "StatusLabel", "ShowBrandMessage", "ShowTrace",
      "SaveFolderChanged", "EnableSave",      "PromptOperator", "PromptEnded"};
  return names[static_cast<std::size_t>(kind)];
}

namespace {

std::string visible(std::string_view text) {
  static constexpr std::array<std::string_view, 32> names{
      "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
      "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
      "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
  std::string out;
  for (char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32)
      out += "<" + std::string(names[code]) + ">";
    else
      out += c;
  }
  return out;
}

}  // namespace

std::string Describe(const Output& output) {
  std::string line(KindName(output.kind));
  if (output.kind == OutputKind::RawDataReplaced) line += " #" + std::to_string(output.index);
  if (!output.text.empty()) line += " \"" + visible(output.text) + "\"";
  if (!output.path.empty()) line += " path=" + output.path;
  return line;
}

}  // namespace lumora
