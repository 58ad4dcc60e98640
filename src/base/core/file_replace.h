// Replacing a file's contents so that a reader (the ordering system, the maintenance
// dialog, a lab script) always sees either the old complete file or the new complete one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/core/problem.h"

namespace lumora {

// What becomes of a link standing under the name to replace.
enum class LinkAtTarget {
  Follow,   // the file it names is replaced, where it is, and the link stays (a user's output)
  Replace,  // the link itself is replaced by the file (a trace: nothing outside its folder is touched)
};

// Writes `bytes` to a new temporary file in the target's folder (a hidden name of its own,
// created exclusively and never through a link, so no other file is touched), flushes it to
// the disk, gives it the old file's permissions and renames it over `path` in one step. On
// failure says why (one line, with the system's reason); a missing folder, a full disk, a
// file-size limit or a refused rename leaves the target as it was and removes the temporary
// file. A folder, a pipe or a device under the name is refused, untouched.
[[nodiscard]] std::optional<Problem> replaceFileBytes(const std::string& path, std::string_view bytes,
                                                      LinkAtTarget link = LinkAtTarget::Follow);

// Why replaceFileBytes could not store a file in `folder` now, in the system's words
// ("Permission denied"); nothing when it could. Its temporary file is created and removed
// again. An empty name is no folder.
[[nodiscard]] std::optional<Problem> folderWriteProblem(const std::string& folder);

// True for the names replaceFileBytes gives its temporary files (".Temp-" and 16 hex
// digits, ".tmp"): lists of traces leave them out.
bool isTemporaryFileName(std::string_view name);

// Removes the temporary files a killed or failed writer left in `folder`; one still being
// written by a running program is left alone. Returns how many were removed.
int removeLeftoverTemporaryFiles(const std::string& folder);

}  // namespace lumora
