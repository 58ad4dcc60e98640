// Process-wide values shared by the trace records, the link and the windows.
// (Being taken apart: each value moves to the one that owns it.)
#pragma once

#include <cstdint>
#include <string>

#include "base/core/platform_values.h"

namespace lumora {

struct SharedValues {
  std::string SavePath;          // save folder in use
  std::string DefaultSavePath = defaultSaveFolder();
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

}  // namespace lumora
