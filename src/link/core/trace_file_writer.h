// Trace files on disk, written so that readers (the ordering system, the maintenance dialog)
// always see either the old complete trace or the new complete one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/core/problem.h"

namespace lumora {

// The full path of the trace `name` in `folder`.
std::string traceFilePath(const std::string& folder, const std::string& name);

// Stores `bytes` as the trace `name` in `folder`, replacing any file of that name, through a
// temporary file in `folder` itself renamed over the target. `name` is a safe trace name; a
// link under it is replaced, never followed: nothing outside `folder` is written.
// On failure says why (one line, for the activity list), and the folder is as before.
[[nodiscard]] std::optional<Problem> writeTraceFile(const std::string& folder, const std::string& name,
                                                    std::string_view bytes);

}  // namespace lumora
