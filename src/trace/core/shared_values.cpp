#include "trace/core/shared_values.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

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
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesW(PathFromText(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
#else
  // Hidden files do not count, as on Windows; here a dot file is the hidden kind.
  return !PathFromText(path).filename().string().starts_with('.');
#endif
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
