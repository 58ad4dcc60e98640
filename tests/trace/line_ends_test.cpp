// Unified line ends, and the passes label lookups make over the stored packet.
#include <gtest/gtest.h>

#include "packets.h"
#include "trace/core/line_ends.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

TEST(LineEnds, LookupsNormaliseTheStoredPacketOnePassAtATime) {
  EXPECT_EQ(Processed("A=1\r\nB=2\r\rC=3\n\n\nD=4").VCATracePacket(), "A=1\nB=2\nC=3\nD=4");
  std::string text = "A\n\n\nB";
  EXPECT_TRUE(NormaliseLineEndsInPlace(text).pairsLeft);  // one pass leaves two of three
  EXPECT_EQ(text, "A\n\nB");
}

}  // namespace lumora
