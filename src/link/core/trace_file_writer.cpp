#include "link/core/trace_file_writer.h"

#include "base/core/file_read.h"
#include "base/core/file_replace.h"

namespace lumora {

std::string TraceFileWriter::TracePath(const std::string& folder, const std::string& name) const {
  return joinPath(folder, name);
}

std::string TraceFileWriter::FolderProblem(const std::string& folder) const {
  const auto problem = folderWriteProblem(folder);
  return problem ? problem->text : std::string();
}

std::string TraceFileWriter::StoreTrace(const std::string& folder, const std::string& name,
                                        const std::vector<std::string>& lines) {
  const auto problem = replaceFileBytes(TracePath(folder, name), TraceFileBytes(lines));
  return problem ? problem->text : std::string();
}

}  // namespace lumora
