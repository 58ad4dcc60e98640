// Process-wide values shared by the trace records, the link and the windows.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace lumora {

// Where traces are saved unless the user chose another folder: "C:\LumoraTraces" on
// Windows, the folder "LumoraTraces" in the user's home folder elsewhere.
std::string PlatformDefaultSavePath();

struct SharedValues {
  std::string SavePath;          // save folder in use
  std::string DefaultSavePath = PlatformDefaultSavePath();
  std::string ProgramFolder;     // the program's own folder, no trailing separator
  std::string JobNumberText;     // job number (file name) of the last trace
  std::int16_t PromptAnswer = 0; // 0 none, 1 new name chosen, 2 cancelled
  double HBias = 1.0;            // screen calibration, four decimals
  double VBias = 1.0;
  std::int16_t MirrorSign = 1;   // +1 right eye, -1 left eye
};

// The one instance for the run. The user-interface thread is the only user.
SharedValues& Shared();

constexpr double Pi() { return 3.14159265358979323846; }  // 4 x arctan(1)
constexpr double DegToRad() { return Pi() / 180.0; }

// The standard beep; the application installs the platform's, tests count calls.
void SoundBeep();
void SetBeepHandler(std::function<void()> handler);

// True when a directory lookup finds a normal file at `path` that is neither hidden nor a
// system file.
bool FileExists(const std::string& path);
// A file the platform keeps out of listings: on Windows a hidden or system file, elsewhere
// a dot file.
bool IsHiddenFile(const std::filesystem::path& path);
// The whole file as bytes; empty when FileExists is false, the file cannot be read, or it
// holds more than 16 MiB (no trace is that large).
std::string ReadFileText(const std::string& path);
// Texts are UTF-8 paths; these convert without the platform's narrow code page. On Windows a
// text that is not UTF-8 (a job number as the tracer sent it) is read in the system's code
// page instead, so that it never throws.
std::filesystem::path PathFromText(const std::string& text);
std::string TextFromPath(const std::filesystem::path& path);
// `folder` joined with `name` by the platform's separator.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace lumora
