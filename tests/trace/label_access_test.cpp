#include <gtest/gtest.h>

#include <stdexcept>

#include "packets.h"
#include "trace/core/text_util.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;
TEST(LabelValue, SplitsPerEyeValuesAtTheFirstSemicolon) {
  auto trace = Processed("JOB=1\nHBOX=52.10;51.90\nDRILLE=R;1;2\n");
  EXPECT_EQ(trace.VCALabelValue("HBOX=", 0), "52.10");
  EXPECT_EQ(trace.VCALabelValue("HBOX=", 1), "51.90");
  EXPECT_EQ(trace.VCALabelValue("HBOX=", 2), "52.10;51.90");
  EXPECT_EQ(trace.VCALabelValue("DRILLE=", 1), "1;2");
}

TEST(LabelValue, AMissingEyeTakesTheOtherEyesField) {
  auto trace = Processed("JOB=1\nHBOX=;51.90\nVBOX=40.5\nCIRC=150;\n");
  EXPECT_EQ(trace.VCALabelValue("HBOX=", 0), "51.90");
  EXPECT_EQ(trace.VCALabelValue("VBOX=", 0), "40.5");
  EXPECT_EQ(trace.VCALabelValue("VBOX=", 1), "40.5");
  EXPECT_EQ(trace.VCALabelValue("CIRC=", 1), "150");
}

TEST(LabelGetAll, FindsLabelsOnTheFirstLineAndInsideLongerLabels) {
  auto trace = Processed("HBOX=52;51\nJOB=\"7\"\nLAST=end");
  EXPECT_EQ(trace.VCALabelGetAll("HBOX="), "52;51");
  EXPECT_EQ(trace.VCALabelGetAll("BOX="), "52;51");
  EXPECT_EQ(trace.VCALabelGetAll("job="), "7");  // the label is upper-cased, quotes removed
  EXPECT_EQ(trace.VCALabelGetAll("LAST="), "end");
  EXPECT_EQ(trace.VCALabelGetAll("NONE="), "");
}

TEST(LabelGetAll, PrefersALabelAtTheStartOfALine) {
  auto trace = Processed("XBOX=1\nBOX=2\n");
  EXPECT_EQ(trace.VCALabelGetAll("BOX="), "2");
}

TEST(LabelGetAll, ReturnsTheValueAsWrittenNotUpperCased) {
  auto trace = Processed("JOB=ab12\nname=Smith\n");
  EXPECT_EQ(trace.VCALabelGetAll("NAME="), "Smith");
}

TEST(LineEnds, LookupsNormaliseTheStoredPacket) {
  clsVCATrace trace;
  trace.ProcessTrace("A=1\r\nB=2\r\rC=3\n\n\nD=4");
  trace.VCALabelGetAll("A=");
  // ProcessTrace itself looks labels up, so the packet is already normalised twice over.
  EXPECT_EQ(trace.VCATracePacket(), "A=1\nB=2\nC=3\nD=4");
}

TEST(LineEnds, OnePassLeavesTwoOfThreeLineFeeds) {
  EXPECT_EQ(NormalisedLineEnds("A\n\n\nB"), "A\n\nB");
  EXPECT_EQ(NormalisedLineEnds("A\n\n\n\nB"), "A\n\nB");
  EXPECT_EQ(NormalisedLineEnds("A\r\n\r\nB\rC"), "A\nB\nC");
  EXPECT_EQ(NormalisedLineEnds("A\r\rB"), "A\nB");
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

TEST(MultiLine, GroupsAreRunsOfMatchingLines) {
  auto trace = Processed("JOB=1\nR=1;2\nr=3\nX=0\nR=4\nR=5\nY=0");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 0), "R=1;2\nr=3\nR=4\nR=5");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 1), "R=1;2\nr=3");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 2), "R=4\nR=5");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 3), "");
}

TEST(MultiLine, APacketStartingWithAMatchIsGroupZero) {
  auto trace = Processed("R=1\nX=0\nR=2");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 1), "R=2");
  EXPECT_EQ(trace.VCALabelMultiLine("R=", 0), "R=1\nR=2");
}

TEST(Getters, NumericGettersRefuseASideOutsideZeroToOne) {
  clsVCATrace trace;
  EXPECT_THROW(trace.a(2), std::out_of_range);
  EXPECT_THROW(trace.B(-1), std::out_of_range);
  EXPECT_THROW(trace.C(2), std::out_of_range);
  EXPECT_THROW(trace.ed(2), std::out_of_range);
  EXPECT_THROW(trace.eda(2), std::out_of_range);
  EXPECT_THROW(trace.FCRV(2), std::out_of_range);
  EXPECT_THROW(trace.BEVC(2), std::out_of_range);
}

TEST(Getters, OtherGettersAnswerEmptyForASideOutsideZeroToOne) {
  auto trace = Processed("TRCFMT=1;400;E;R;F\nR=2500;2500\n");
  EXPECT_EQ(trace.TFormat(2), "");
  EXPECT_EQ(trace.RadianCount(-1), 0);
  EXPECT_EQ(trace.Rx_RadianString(2), "");
  std::vector<std::string> kept{"x"};
  trace.Rx_GetRadianArray(2, kept);
  EXPECT_EQ(kept, std::vector<std::string>{"x"});
  trace.VCA_GetRadianArray(2, kept);
  EXPECT_TRUE(kept.empty());
}

TEST(Getters, FixedTexts) {
  clsVCATrace trace;
  EXPECT_EQ(trace.Instructions(), "Direct From Tracer");
  EXPECT_EQ(trace.FrameType(), "");
  EXPECT_EQ(trace.EdgeType(0), "");
}

}  // namespace lumora
