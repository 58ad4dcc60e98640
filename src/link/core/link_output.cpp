#include "link/core/link_output.h"

#include <array>

namespace lumora {
namespace {

std::string_view kindName(OutputKind kind) {
  static constexpr std::array<std::string_view, 17> kNames{
      "Write",       "DiscardInput",     "Activity",   "RawDataCleared", "RawDataAdded",
      "RawDataReplaced", "OrderLabel",   "StatusLabel", "ShowBrandMessage", "StoreTrace",
      "CheckFolder", "ShowTrace",        "SaveFolderChanged", "EnableSave", "PromptOperator",
      "PromptEnded", "UploadEnded"};
  return kNames[static_cast<std::size_t>(kind)];
}

std::string visible(std::string_view text) {
  static constexpr std::array<std::string_view, 32> kNames{
      "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
      "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
      "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
  std::string out;
  for (char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32)
      out += "<" + std::string(kNames[code]) + ">";
    else
      out += c;
  }
  return out;
}

}  // namespace

std::string describe(const Output& output) {
  std::string line(kindName(output.kind));
  if (output.kind == OutputKind::RawDataReplaced) line += " #" + std::to_string(output.index);
  if (!output.text.empty()) line += " \"" + visible(output.text) + "\"";
  if (!output.name.empty()) line += " name=" + visible(output.name);
  if (!output.folder.empty()) line += " folder=" + output.folder;
  if (output.kind == OutputKind::UploadEnded) {
    const UploadEnd& end = output.end;
    line += " outcome#" + std::to_string(static_cast<int>(end.outcome)) + " job=" + visible(end.job);
    if (end.status) line += " status=" + std::to_string(*end.status);
    if (!end.file.empty()) line += " file=" + end.folder + "|" + visible(end.file) + " (" + std::to_string(end.bytes.size()) + " bytes)";
  }
  return line;
}

}  // namespace lumora
