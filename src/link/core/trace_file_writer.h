// Writes trace files into the save folder so that readers (the ordering system, the
// maintenance dialog) always see either the old complete trace or the new complete one.
#pragma once

#include "link/core/trace_store.h"

namespace lumora {

class TraceFileWriter final : public TraceStore {
 public:
  // Through a temporary file in `folder` itself, renamed over the target (replaceFileBytes).
  std::string StoreTrace(const std::string& folder, const std::string& name,
                         const std::vector<std::string>& lines) override;
  std::string FolderProblem(const std::string& folder) const override;
  std::string TracePath(const std::string& folder, const std::string& name) const override;
};

}  // namespace lumora
