#include <gtest/gtest.h>

#include <stdexcept>

#include "packets.h"
#include "base/core/ascii_text.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

// A value splits at the first ";" (side 2: the whole value); a missing eye takes the other.
TEST(LabelValue, SplitsAtTheFirstSemicolonAndAMissingEyeTakesTheOther) {
  auto t = Processed("JOB=1\nHBOX=52.10;51.90\nVBOX=;51.90\nCIRC=150;\nDBL=40.5\nDRILLE=R;1;2\n");
  EXPECT_EQ((std::vector{t.VCALabelValue("HBOX=", 0), t.VCALabelValue("HBOX=", 1), t.VCALabelValue("HBOX=", 2),
                         t.VCALabelValue("DRILLE=", 1), t.VCALabelValue("VBOX=", 0), t.VCALabelValue("CIRC=", 1),
                         t.VCALabelValue("DBL=", 1)}),
            (std::vector<std::string>{"52.10", "51.90", "52.10;51.90", "1;2", "51.90", "150", "40.5"}));
}

// A label is looked for at a line start first, then anywhere (inside a longer label), in
// any case, quotes removed, up to the line's or the packet's end.
TEST(LabelGetAll, PrefersALineStartButFindsALabelAnywhere) {
  auto t = Processed("HBOX=52;51\nJOB=\"7\"\nXBOX=1\nBOX=2\nname=Smith");
  EXPECT_EQ((std::vector{t.VCALabelGetAll("HBOX="), t.VCALabelGetAll("OX="), t.VCALabelGetAll("BOX="),
                         t.VCALabelGetAll("job="), t.VCALabelGetAll("NAME="), t.VCALabelGetAll("NONE=")}),
            (std::vector<std::string>{"52;51", "52;51", "2", "7", "Smith", ""}));
  int upper = -1;  // one field of a list; a value without ";" is the whole value
  EXPECT_EQ(t.ExtractVCAValueArray("HBOX=", 1, upper), "51");
  EXPECT_EQ(upper, 1);
  EXPECT_EQ(t.ExtractVCAValueArray("HBOX=", 2, upper), "");
  EXPECT_EQ(t.ExtractVCAValueArray("BOX=", 3, upper), "2");
  EXPECT_EQ(upper, 0);
}

// Groups are runs of matching lines counted from the first other line; the first run is group 0.
TEST(MultiLine, GroupsAreRunsOfMatchingLinesCountedFromTheFirstOtherLine) {
  auto t = Processed("JOB=1\nR=1;2\nr=3\nX=0\nR=4\nR=5");
  EXPECT_EQ((std::vector{t.VCALabelMultiLine("R=", 0), t.VCALabelMultiLine("R=", 1), t.VCALabelMultiLine("R=", 2),
                         t.VCALabelMultiLine("R=", 3), Processed("R=1\nX=0\nR=2").VCALabelMultiLine("R=", 1)}),
            (std::vector<std::string>{"R=1;2\nr=3\nR=4\nR=5", "R=1;2\nr=3", "R=4\nR=5", "", "R=2"}));
}

TEST(Getters, ASideOutsideZeroToOneThrowsOrAnswersEmpty) {
  auto trace = Processed("TRCFMT=1;400;E;R;F\nR=2500;2500\n");
  EXPECT_THROW(trace.B(2), std::out_of_range);  // every measurement getter shares the check
  EXPECT_EQ(trace.TFormat(-1) + trace.Rx_RadianString(2), "");
}

}  // namespace lumora
