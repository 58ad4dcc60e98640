// Arbitrary bytes as a trace packet rebuilt with a new B: it must neither crash, hang nor
// trip a sanitizer, and the rewritten box records hold only numbers or "?" for each eye.
//
// Input layout: byte 0 the stretch (1 the lower half, anything else none), bytes 1-8 the
// new B (a raw double, so NaN and infinities come up too), then the packet. Missing bytes
// count as zero.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "trace/core/trace_record.h"

namespace {

void checkRebuilt(const std::string& rebuilt) {
  std::size_t start = 0;
  while (start < rebuilt.size()) {
    const std::size_t end = rebuilt.find('\n', start);
    const std::string_view line(rebuilt.data() + start, end - start);  // every line ends in LF
    const std::size_t eq = line.find('=');
    const std::string_view label = line.substr(0, eq == std::string_view::npos ? 0 : eq + 1);
    if (label == "HBOX=" || label == "VBOX=" || label == "CIRC=" || label == "FED=" || label == "FEDAX=") {
      if (line.substr(label.size()).find_first_not_of("0123456789.-;?") != std::string_view::npos) std::abort();
    }
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const bool lowerHalf = !bytes.empty() && bytes[0] == 1;
  if (!bytes.empty()) bytes.remove_prefix(1);
  double newB = 0;
  if (bytes.size() >= sizeof newB) std::memcpy(&newB, bytes.data(), sizeof newB);
  bytes.remove_prefix(std::min(bytes.size(), sizeof newB));
  const auto stretch = lowerHalf ? lumora::Stretch::LowerHalf : lumora::Stretch::None;
  if (auto rebuilt = lumora::rebuildWithNewB(bytes, stretch, newB)) checkRebuilt(*rebuilt);
  return 0;
}
