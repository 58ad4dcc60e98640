// The history command where the tool is built without Qt.
#include <ostream>

#include "history.h"

namespace lumora::tool {

int runHistory(const std::vector<std::string>& /*args*/, Streams io) {
  io.err << "lumora-trace: history is not available in this build (built without Qt)\n";
  return kExitUsage;
}

}  // namespace lumora::tool
