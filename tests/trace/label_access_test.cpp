#include <gtest/gtest.h>

#include <stdexcept>

#include "packets.h"
#include "trace/core/text_util.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

TEST(LabelValue, SplitsAtTheFirstSemicolonAndAMissingEyeTakesTheOther) {
  auto trace = Processed("JOB=1\nHBOX=52.10;51.90\nVBOX=;51.90\nCIRC=150;\nDBL=40.5\nDRILLE=R;1;2\n");
  EXPECT_EQ(trace.VCALabelValue("HBOX=", 0), "52.10");
  EXPECT_EQ(trace.VCALabelValue("HBOX=", 1), "51.90");
  EXPECT_EQ(trace.VCALabelValue("HBOX=", 2), "52.10;51.90");
  EXPECT_EQ(trace.VCALabelValue("DRILLE=", 1), "1;2");
  EXPECT_EQ(trace.VCALabelValue("VBOX=", 0), "51.90");
  EXPECT_EQ(trace.VCALabelValue("CIRC=", 1), "150");
  EXPECT_EQ(trace.VCALabelValue("DBL=", 1), "40.5");
}

TEST(LabelGetAll, PrefersALineStartButFindsALabelAnywhere) {
  auto trace = Processed("HBOX=52;51\nJOB=\"7\"\nXBOX=1\nBOX=2\nname=Smith");
  EXPECT_EQ(trace.VCALabelGetAll("HBOX="), "52;51");  // on the first line
  EXPECT_EQ(trace.VCALabelGetAll("OX="), "52;51");    // inside a longer label
  EXPECT_EQ(trace.VCALabelGetAll("BOX="), "2");
  EXPECT_EQ(trace.VCALabelGetAll("job="), "7");        // any case, quotes removed
  EXPECT_EQ(trace.VCALabelGetAll("NAME="), "Smith");   // as written, up to the packet's end
  EXPECT_EQ(trace.VCALabelGetAll("NONE="), "");
  int upper = -1;
  EXPECT_EQ(trace.ExtractVCAValueArray("HBOX=", 1, upper), "51");
  EXPECT_EQ(upper, 1);
  EXPECT_EQ(trace.ExtractVCAValueArray("HBOX=", 2, upper), "");
  EXPECT_EQ(trace.ExtractVCAValueArray("BOX=", 3, upper), "2");  // no ";": the whole value
  EXPECT_EQ(upper, 0);
}

TEST(LineEnds, LookupsNormaliseTheStoredPacketOnePassAtATime) {
  EXPECT_EQ(Processed("A=1\r\nB=2\r\rC=3\n\n\nD=4").VCATracePacket(), "A=1\nB=2\nC=3\nD=4");
  std::string text = "A\n\n\nB";
  EXPECT_TRUE(NormaliseLineEndsInPlace(text).pairsLeft);  // one pass leaves two of three
  EXPECT_EQ(text, "A\n\nB");
}

TEST(MultiLine, GroupsAreRunsOfMatchingLinesCountedFromTheFirstOtherLine) {
  auto trace = Processed("JOB=1\nR=1;2\nr=3\nX=0\nR=4\nR=5");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 0), "R=1;2\nr=3\nR=4\nR=5");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 1), "R=1;2\nr=3");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 2), "R=4\nR=5");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 3), "");
  EXPECT_EQ(Processed("R=1\nX=0\nR=2").VCALabelMultiLine("R=", 1), "R=2");  // the first run is group 0
}

TEST(Getters, ASideOutsideZeroToOneThrowsOrAnswersEmpty) {
  auto trace = Processed("TRCFMT=1;400;E;R;F\nR=2500;2500\n");
  for (auto get : {&clsVCATrace::a, &clsVCATrace::B, &clsVCATrace::C, &clsVCATrace::ed, &clsVCATrace::eda,
                   &clsVCATrace::FCRV, &clsVCATrace::BEVC})
    EXPECT_THROW((trace.*get)(2), std::out_of_range);
  EXPECT_EQ(trace.TFormat(-1), "");
  EXPECT_EQ(trace.Rx_RadianString(2), "");
}

}  // namespace lumora
