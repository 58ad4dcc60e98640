#include <gtest/gtest.h>

#include <stdexcept>

#include "packets.h"
#include "trace/core/text_util.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

TEST(LabelValue, SplitsAtTheFirstSemicolonAndAMissingEyeTakesTheOther) {
  auto trace = Processed("JOB=1\nHBOX=52.10;51.90\nVBOX=;51.90\nCIRC=150;\nDBL=40.5\nDRILLE=R;1;2\n");
  const struct {
    const char* label;
    int side;
    const char* expected;
  } cases[] = {{"HBOX=", 0, "52.10"}, {"HBOX=", 1, "51.90"}, {"HBOX=", 2, "52.10;51.90"},
               {"DRILLE=", 1, "1;2"}, {"VBOX=", 0, "51.90"}, {"CIRC=", 1, "150"},
               {"DBL=", 1, "40.5"}};
  for (const auto& c : cases) EXPECT_EQ(trace.VCALabelValue(c.label, c.side), c.expected) << c.label << c.side;
}

TEST(LabelGetAll, PrefersALineStartButFindsALabelAnywhere) {
  auto trace = Processed("HBOX=52;51\nJOB=\"7\"\nXBOX=1\nBOX=2\nname=Smith\nLAST=end");
  EXPECT_EQ(trace.VCALabelGetAll("HBOX="), "52;51");  // on the first line
  EXPECT_EQ(trace.VCALabelGetAll("OX="), "52;51");    // inside a longer label
  EXPECT_EQ(trace.VCALabelGetAll("BOX="), "2");
  EXPECT_EQ(trace.VCALabelGetAll("job="), "7");  // any case; quotes removed
  EXPECT_EQ(trace.VCALabelGetAll("NAME="), "Smith");  // the value as written
  EXPECT_EQ(trace.VCALabelGetAll("LAST="), "end");
  EXPECT_EQ(trace.VCALabelGetAll("NONE="), "");
}

TEST(LineEnds, LookupsNormaliseTheStoredPacketOnePassAtATime) {
  EXPECT_EQ(Processed("A=1\r\nB=2\r\rC=3\n\n\nD=4").VCATracePacket(), "A=1\nB=2\nC=3\nD=4");
  EXPECT_EQ(NormalisedLineEnds("A\n\n\nB"), "A\n\nB");  // one pass leaves two of three
  EXPECT_EQ(NormalisedLineEnds("A\r\n\r\nB\rC"), "A\nB\nC");
}

TEST(ValueArray, ReturnsOneFieldAndTheUpperBound) {
  auto trace = Processed("TRCFMT=1;400;E;R;F\nDBL=18\n");
  int upper = -1;
  EXPECT_EQ(trace.ExtractVCAValueArray("TRCFMT=", 1, upper), "400");
  EXPECT_EQ(upper, 4);
  EXPECT_EQ(trace.ExtractVCAValueArray("TRCFMT=", 7, upper), "");
  EXPECT_EQ(trace.ExtractVCAValueArray("TRCFMT=", -1, upper), "");
  EXPECT_EQ(trace.ExtractVCAValueArray("DBL=", 3, upper), "18");
  EXPECT_EQ(upper, 0);
}

TEST(MultiLine, GroupsAreRunsOfMatchingLinesCountedFromTheFirstOtherLine) {
  auto trace = Processed("JOB=1\nR=1;2\nr=3\nX=0\nR=4\nR=5\nY=0");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 0), "R=1;2\nr=3\nR=4\nR=5");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 1), "R=1;2\nr=3");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 2), "R=4\nR=5");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 3), "");
  EXPECT_EQ(Processed("R=1\nX=0\nR=2").VCALabelMultiLine("R=", 1), "R=2");  // the first run is group 0
}

TEST(Getters, ASideOutsideZeroToOneThrowsOrAnswersEmpty) {
  auto trace = Processed("TRCFMT=1;400;E;R;F\nR=2500;2500\n");
  for (auto get : {&clsVCATrace::a, &clsVCATrace::B, &clsVCATrace::C, &clsVCATrace::ed, &clsVCATrace::eda,
                   &clsVCATrace::FCRV, &clsVCATrace::BEVC}) {
    EXPECT_THROW((trace.*get)(2), std::out_of_range);
    EXPECT_THROW((trace.*get)(-1), std::out_of_range);
  }
  EXPECT_EQ(trace.TFormat(2), "");
  EXPECT_EQ(trace.RadianCount(-1), 0);
  EXPECT_EQ(trace.Rx_RadianString(2), "");
  std::vector<std::string> kept{"x"};
  trace.Rx_GetRadianArray(2, kept);  // left as it was
  EXPECT_EQ(kept, std::vector<std::string>{"x"});
  trace.VCA_GetRadianArray(2, kept);  // emptied
  EXPECT_TRUE(kept.empty());
}

}  // namespace lumora
