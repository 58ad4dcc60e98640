// Rebuilding a trace with a new B, from a packet or from a saved trace file.
#include "base/core/file_read.h"
#include "base/core/file_replace.h"
#include "trace/core/resize_side.h"
#include "trace/core/trace_record.h"

namespace lumora {

// Each eye with radii is resized from its own outline and its measured B.
std::optional<std::string> rebuildWithNewB(std::string_view packet, Stretch stretch, double newB) {
  if (packet.empty()) return std::nullopt;
  TraceRecord trace;
  trace.process(packet);
  PerSide<std::optional<detail::ResizedSide>> sides;
  for (Side side : kBothSides) {
    const std::vector<double> radii = trace.radii(side, Orientation::AsTraced);
    if (!radii.empty()) sides[side] = detail::resizeSide(radii, trace.boxHeight(side), stretch, newB);
  }
  return detail::rebuildPacketText(trace.packet(), sides);
}

// The name becomes a file name in two folders; loading refuses one that could leave them.
// The rebuild starts from the file's own text: the loaded packet's line ends were already
// normalised once, and a second round would take more blank lines out than one load does.
std::optional<Problem> TraceRecord::rebuildSavedTrace(const std::string& saveFolder, const std::string& name,
                                                      Stretch stretch, double newB,
                                                      const std::string& outputFolder) {
  const Result<std::string> text = loadText(saveFolder, name);
  if (!text) return text.problem();
  return replaceFileBytes(joinPath(outputFolder, name), *rebuildWithNewB(*text, stretch, newB));
}

}  // namespace lumora
