#include "link/core/trace_file_writer.h"

#include "base/core/file_read.h"
#include "base/core/file_replace.h"

namespace lumora {

std::string TraceFileWriter::TracePath(const std::string& folder, const std::string& name) const {
  return JoinPath(folder, name);
}

std::string TraceFileWriter::FolderProblem(const std::string& folder) const { return FolderWriteProblem(folder); }

std::string TraceFileWriter::StoreTrace(const std::string& folder, const std::string& name,
                                        const std::vector<std::string>& lines) {
  return ReplaceFileBytes(TracePath(folder, name), TraceFileBytes(lines));
}

}  // namespace lumora
