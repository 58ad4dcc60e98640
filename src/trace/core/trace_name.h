// Trace names are job numbers used as file names in the save folder. A name that could
// leave the folder, or that Windows or Linux would refuse or silently change, is unsafe.
#pragma once

#include <string>
#include <string_view>

namespace lumora {

// Empty when `name` is safe as a trace file name, otherwise why not (a short English phrase
// such as "contains a path separator").
std::string TraceNameProblem(std::string_view name);

inline bool IsSafeTraceName(std::string_view name) { return TraceNameProblem(name).empty(); }

}  // namespace lumora
