// The save folder as the trace maintenance dialog sees it: the names of its files, and the
// deletion of a selection of them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lumora {

// The names of the visible files of `folder` (no sub-folders, no hidden or system files:
// the ones fileExists counts as absent, no temporary files of a store in progress), sorted ignoring the case of ASCII letters, then by bytes. Empty
// when the folder is missing or cannot be read. One pass over the folder: fast enough for
// a folder of 100,000 traces.
std::vector<std::string> listTraceFiles(const std::string& folder);

// Deletes from `folder` each `names[i]` whose `selected[i]` is set (missing flags count as
// not selected). A name that is not a plain file name, names a folder, or cannot be deleted
// (in use, read-only, already gone) is skipped and the others are still deleted. Returns the
// number of files deleted.
std::size_t deleteSelectedFiles(const std::string& folder, const std::vector<std::string>& names,
                                const std::vector<bool>& selected);

}  // namespace lumora
