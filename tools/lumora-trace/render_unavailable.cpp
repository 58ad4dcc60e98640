// The render command where the tool is built without Qt.
#include <ostream>

#include "render.h"

namespace lumora::tool {

int runRender(const std::vector<std::string>& /*args*/, Streams io) {
  io.err << "lumora-trace: render is not available in this build (built without Qt)\n";
  return kExitUsage;
}

}  // namespace lumora::tool
