// Label access to the stored packet, and the line-end passes the lookups make over it.
#include <gtest/gtest.h>

#include "trace/core/line_ends.h"
#include "trace_packets.h"

namespace lumora {
using namespace lumora::testing;

// A value splits at the first ";"; a missing eye takes the other.
TEST(LabelValue, SplitsAtTheFirstSemicolonAndAMissingEyeTakesTheOther) {
  auto t = processed("JOB=1\nHBOX=52.10;51.90\nVBOX=;51.90\nCIRC=150;\nDBL=40.5\nDRILLE=R;1;2\n");
  EXPECT_EQ((std::vector{t.labelValue("HBOX=", Side::Right), t.labelValue("HBOX=", Side::Left),
                         t.labelValue("DRILLE=", Side::Left), t.labelValue("VBOX=", Side::Right),
                         t.labelValue("CIRC=", Side::Left), t.labelValue("DBL=", Side::Left)}),
            (std::vector<std::string>{"52.10", "51.90", "1;2", "51.90", "150", "40.5"}));
}

// A label is looked for at a line start first, then anywhere (inside a longer label), in
// any case, quotes removed, up to the line's or the packet's end.
TEST(LabelText, PrefersALineStartButFindsALabelAnywhere) {
  auto t = processed("HBOX=52;51\nJOB=\"7\"\nXBOX=1\nBOX=2\nname=Smith");
  EXPECT_EQ((std::vector{t.labelText("HBOX="), t.labelText("OX="), t.labelText("BOX="), t.labelText("job="),
                         t.labelText("NAME="), t.labelText("NONE=")}),
            (std::vector<std::string>{"52;51", "52;51", "2", "7", "Smith", ""}));
}

// Groups are runs of matching lines counted from the first other line; the first run is group 0.
TEST(LabelLines, GroupsAreRunsOfMatchingLinesCountedFromTheFirstOtherLine) {
  auto t = processed("JOB=1\nR=1;2\nr=3\nX=0\nR=4\nR=5");
  EXPECT_EQ((std::vector{t.labelLines("R=", 0), t.labelLines("R=", 1), t.labelLines("R=", 2), t.labelLines("R=", 3),
                         processed("R=1\nX=0\nR=2").labelLines("R=", 1)}),
            (std::vector<std::string>{"R=1;2\nr=3\nR=4\nR=5", "R=1;2\nr=3", "R=4\nR=5", "", "R=2"}));
}

// Each lookup makes one pass: three LFs in a row leave two, which the next pass takes.
TEST(LineEnds, LookupsNormaliseTheStoredPacketOnePassAtATime) {
  EXPECT_EQ(processed("A=1\r\nB=2\r\rC=3\n\n\nD=4").packet(), "A=1\nB=2\nC=3\nD=4");
  std::string text = "A\n\n\nB";
  EXPECT_TRUE(normaliseLineEndsInPlace(text).pairsLeft);
  EXPECT_EQ(text, "A\n\nB");
}

}  // namespace lumora
