// Trace names are job numbers used as file names in the save folder. A name that could
// leave the folder, or that Windows or Linux would refuse or silently change, is unsafe.
#pragma once

#include <optional>
#include <string_view>

#include "base/core/problem.h"

namespace lumora {

// Nothing when `name` is safe as a trace file name, otherwise why not: a phrase that follows
// the name in a sentence, such as "contains a path separator".
std::optional<Problem> traceNameProblem(std::string_view name);

inline bool isSafeTraceName(std::string_view name) { return !traceNameProblem(name); }

}  // namespace lumora
