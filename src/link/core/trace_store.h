// Where received traces go. The link engine only decides what to store; an implementation
// of this interface does the writing, so the engine stays free of I/O.
#pragma once

#include <string>
#include <vector>

namespace lumora {

class TraceStore {
 public:
  virtual ~TraceStore() = default;
  // Writes `lines`, each followed by CR LF, as the file `name` in `folder`, replacing any
  // file of that name. `name` has passed TraceNameProblem. Returns "" on success, otherwise
  // why it failed (one line, for the activity list); on failure the folder is as before.
  virtual std::string StoreTrace(const std::string& folder, const std::string& name,
                                 const std::vector<std::string>& lines) = 0;
  // Why no trace could be stored in `folder` now, whatever its name; "" when one could.
  virtual std::string FolderProblem(const std::string& folder) const = 0;
  // Full path of the file `name` in `folder`, as the store would write it.
  virtual std::string TracePath(const std::string& folder, const std::string& name) const = 0;
};

// The trace file's exact bytes: each line followed by CR LF, nothing else.
std::string TraceFileBytes(const std::vector<std::string>& lines);

}  // namespace lumora
