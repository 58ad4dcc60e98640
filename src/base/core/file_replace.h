// Replacing a file's contents so that a reader (the ordering system, the maintenance
// dialog, a lab script) always sees either the old complete file or the new complete one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/core/problem.h"

namespace lumora {

// Writes `bytes` to a new temporary file in the target's own folder (created exclusively,
// so no other file is touched), flushes it to the disk, gives it the old file's permissions
// and renames it over `path` in one step. On failure says why (one line); a missing folder,
// a full disk or a refused rename leaves the target as it was and removes the temporary
// file. A link is followed (the file it names is replaced, the link stays); a folder, a pipe
// or a device is refused, untouched.
[[nodiscard]] std::optional<Problem> replaceFileBytes(const std::string& path, std::string_view bytes);

// Why replaceFileBytes could not store a file in `folder` now, in the system's words
// ("Permission denied"); nothing when it could. Its temporary file is created and removed
// again. An empty name is no folder.
[[nodiscard]] std::optional<Problem> folderWriteProblem(const std::string& folder);

}  // namespace lumora
