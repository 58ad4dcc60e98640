#include "trace/core/shared_values.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace lumora {

std::filesystem::path PathFromText(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string TextFromPath(const std::filesystem::path& path) {
  const std::u8string u = path.u8string();
  return std::string(u.begin(), u.end());
}

std::string PlatformDefaultSavePath() {
#ifdef _WIN32
  return "C:\\LumoraTraces";
#else
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/LumoraTraces" : std::string("LumoraTraces");
#endif
}

SharedValues& Shared() {
  static SharedValues values;
  return values;
}

namespace {
std::function<void()>& beepHandler() {
  static std::function<void()> handler;
  return handler;
}
}  // namespace

void SoundBeep() {
  if (beepHandler()) beepHandler()();
}

void SetBeepHandler(std::function<void()> handler) { beepHandler() = std::move(handler); }

bool FileExists(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (path.empty() || !fs::is_regular_file(PathFromText(path), ec)) return false;
#ifndef _WIN32
  // Hidden files do not count, as on Windows; there a dot file is the hidden kind.
  if (PathFromText(path).filename().string().starts_with('.')) return false;
#endif
  return true;
}

std::string ReadFileText(const std::string& path) {
  if (!FileExists(path)) return {};
  std::ifstream in(PathFromText(path), std::ios::binary);
  if (!in) return {};
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return TextFromPath(PathFromText(folder) / PathFromText(name));
}

}  // namespace lumora
