#include "link/core/trace_file_writer.h"

#include "base/core/file_read.h"
#include "base/core/file_replace.h"

namespace lumora {

std::string traceFilePath(const std::string& folder, const std::string& name) { return joinPath(folder, name); }

std::optional<Problem> writeTraceFile(const std::string& folder, const std::string& name, std::string_view bytes) {
  return replaceFileBytes(traceFilePath(folder, name), bytes, LinkAtTarget::Replace);
}

}  // namespace lumora
