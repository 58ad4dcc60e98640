// Resizing a saved trace to a new B and writing packets to files.
#include "base/core/file_read.h"
#include "base/core/file_replace.h"
#include "trace/core/resize_side.h"
#include "base/core/shared_values.h"
#include "trace/core/vca_trace.h"

namespace lumora {
namespace {

// Writes `text` exactly as given (no line end added), replacing the file. Nothing is
// reported: a missing folder or a full disk leaves the old file whole, never cut short.
void WritePacketFile(const std::string& path, const std::string& text) {
  static_cast<void>(replaceFileBytes(path, text));
}

// The rebuilt trace goes to the "Traces" subfolder of the program's own folder.
void SaveTraceCopy(const std::string& Packet, const std::string& TraceNum) {
  const std::string folder = joinPath(Shared().ProgramFolder, "Traces");
  WritePacketFile(joinPath(folder, TraceNum), Packet);
}

}  // namespace

std::optional<std::string> RebuildWithNewB(const std::string& packet, int stretchMode, double newB) {
  if (packet.empty()) return std::nullopt;
  clsVCATrace trace;
  trace.ProcessTrace(packet);
  std::array<std::optional<detail::ResizedSide>, 2> sides;
  for (int side = 0; side < 2; ++side) {
    if (trace.VCA_RadianString(side).empty()) continue;
    std::vector<std::string> radii;
    trace.VCA_GetRadianArray(side, radii);
    sides[static_cast<std::size_t>(side)] =
        detail::ResizeSide(radii, trace.B(side), stretchMode, newB);
  }
  return detail::RebuildPacketText(trace.VCATracePacket(), sides);
}

void clsVCATrace::ChangeFrameB(const std::string& TraceNum, int StretchMode, double NewB) {
  // The name becomes a file name in two folders; loading refuses one that could leave them.
  if (!LoadVCATrace(TraceNum)) return;
  // From the file's own text: the loaded packet's line ends were already normalised once,
  // and a second round would take more blank lines out than one load does.
  if (auto rebuilt = RebuildWithNewB(GetVCATracePacket(TraceNum), StretchMode, NewB))
    SaveTraceCopy(*rebuilt, TraceNum);
}

void clsVCATrace::ExportNewTraceToFile(const std::string& NewTracePacket,
                                       const std::string& FileName) const {
  WritePacketFile(FileName, NewTracePacket);
}

}  // namespace lumora
