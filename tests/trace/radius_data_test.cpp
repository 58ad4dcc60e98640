#include <gtest/gtest.h>

#include "packets.h"
#include "trace/core/mirror.h"
#include "trace/core/text_util.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

namespace {
std::vector<std::string> fields(const std::string& list) { return SplitToStrings(list, ';'); }
}  // namespace

TEST(Mirror, SwapsFieldsAboutTheVerticalAxis) {
  std::string two = "1;2";
  MirrorList(two);
  EXPECT_EQ(two, "2;1");
  std::string one = "7";
  MirrorList(one);
  EXPECT_EQ(one, "");
  std::string four = "a;b;c;d";  // k starts at 3: a->2, b->1, c->0, d->3
  MirrorList(four);
  EXPECT_EQ(four, "c;b;a;d");
}

TEST(Mirror, MapsIndexIToTwoHundredMinusIForFourHundred) {
  std::string list = JoinFields(Numbered(400, 0), ';');
  MirrorList(list);
  const auto out = fields(list);
  EXPECT_EQ(out[200], "0");
  EXPECT_EQ(out[0], "200");
  EXPECT_EQ(out[399], "201");
  EXPECT_EQ(out[100], "100");
}

TEST(Mirror, OddCountsStartFromTheEvenRounding) {
  for (auto [n, firstIndex] : {std::pair{401, 201}, std::pair{403, 201}}) {
    std::string list = JoinFields(Numbered(static_cast<std::size_t>(n), 0), ';');
    MirrorList(list);
    EXPECT_EQ(fields(list)[static_cast<std::size_t>(firstIndex)], "0") << n;
  }
}

TEST(Mirror, AnglesBecomeWholeMirroredDegrees) {
  // k starts at 3: field 0 -> 2, 1 -> 1, 2 -> 0, 3 -> 3
  EXPECT_EQ(MirroredAngles({10.4, 90, 180, 270}), "360.00;90.00;170.00;270.00");
  EXPECT_EQ(MirroredValues({1, 2, 3, 4}), (std::vector<double>{3, 2, 1, 4}));
  EXPECT_EQ(MirroredAngles({45}), "");
}

TEST(Mirror, FieldOffsetsReorderTheTextsOwnFields) {
  const FieldList list = ToFieldList("2400.0;;07;abc");
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list.field(1), "");
  EXPECT_EQ(MirroredFields(list), "07;;2400.0;abc");
  EXPECT_EQ(ToFieldList("").size(), 0u);
}

TEST(RadiusData, RightOnlyPacketSynthesisesTheLeftEye) {
  auto trace = Processed(EyeRecords('R', Numbered(400)));
  EXPECT_EQ(trace.Rx_RadianString(1), trace.Rx_RadianString(0));
  const auto right = fields(trace.VCA_RadianString(0));
  const auto left = fields(trace.VCA_RadianString(1));
  ASSERT_EQ(left.size(), 400u);
  EXPECT_EQ(left[0], right[200]);
  EXPECT_EQ(trace.TFormat(1), "TRCFMT=1;400;E;L;F");
  EXPECT_EQ(trace.RadianCount(1), 400);
}

TEST(RadiusData, BothEyesKeepTheLeftAsReceivedInItsVcaList) {
  auto trace = Processed(EyeRecords('R', Numbered(400)) + EyeRecords('L', Numbered(400, 1000)));
  std::string leftAsReceived = JoinFields(Numbered(400, 1000), ';');
  EXPECT_EQ(trace.VCA_RadianString(1), leftAsReceived);
  MirrorList(leftAsReceived);
  EXPECT_EQ(trace.Rx_RadianString(1), leftAsReceived);
  EXPECT_EQ(trace.VCA_RadianString(0), JoinFields(Numbered(400), ';'));
}

TEST(RadiusData, LeftOnlyPacketGivesBothSidesTheMirroredLeft) {
  auto trace = Processed(EyeRecords('L', Numbered(400)));
  std::string mirrored = JoinFields(Numbered(400), ';');
  MirrorList(mirrored);
  EXPECT_EQ(trace.Rx_RadianString(0), mirrored);
  EXPECT_EQ(trace.Rx_RadianString(1), mirrored);
  EXPECT_EQ(trace.VCA_RadianString(0), mirrored);
  EXPECT_EQ(trace.VCA_RadianString(1), JoinFields(Numbered(400), ';'));
  EXPECT_EQ(trace.TFormat(0), "TRCFMT=1;400;E;R;F");
}

TEST(RadiusData, OnlyPositiveValuesCountAndTheScanRunsIntoTheNextEye) {
  auto trace = Processed("TRCFMT=1;4;E;R;F\nR=1;0;-2;x;3\nJOB=1\nTRCFMT=1;2;E;L;F\nR=7;8\n");
  EXPECT_EQ(trace.VCA_RadianString(0), "1;3;7;8");
  EXPECT_EQ(trace.VCA_RadianString(1), "7;8");
}

TEST(RadiusData, WholeLinesAreTakenEvenPastTheCount) {
  auto trace = Processed("TRCFMT=1;3;E;R;F\nR=1;2\nR=3;4;5\nR=6\n");
  EXPECT_EQ(trace.VCA_RadianString(0), "1;2;3;4;5");
}

TEST(RadiusData, ACountOfZeroTakesOnlyTheFirstLine) {
  auto trace = Processed("TRCFMT=1;0;E;R;F\nR=1;2\nR=3\nA=5\n");
  EXPECT_EQ(trace.VCA_RadianString(0), "1;2");
  EXPECT_EQ(trace.VCA_AngleString(0), "");
}

TEST(RadiusData, AnglesAndDepthsFollowTheirOwnCounts) {
  auto trace = Processed(
      "TRCFMT=1;3;E;R;F\nZFMT=1;2;E;R;F\nR=10;20;30\nA=0;120;240\nZ=5;6;7\nr=99\n");
  EXPECT_EQ(trace.VCA_AngleString(0), "120;240");  // an angle of 0 is not taken
  EXPECT_EQ(trace.VCA_ZDataString(0), "5;6;7");
  EXPECT_EQ(trace.ZDataCount(0), 2);
  auto noZFormat = Processed("TRCFMT=1;3;E;R;F\nR=10;20;30\nZ=5;6;7\n");
  EXPECT_EQ(noZFormat.VCA_ZDataString(0), "");
}

TEST(RadiusData, LowerCaseRadiusLinesAreIgnored) {
  auto trace = Processed("TRCFMT=1;3;E;R;F\nr=1;2;3\nR=4;5;6\n");
  EXPECT_EQ(trace.VCA_RadianString(0), "4;5;6");
}

TEST(RadiusData, SidesBeyondThirtyTwoThousandValuesAreWhole) {
  auto trace = Processed(EyeRecords('R', Repeated("2500", 40000)));
  EXPECT_EQ(fields(trace.VCA_RadianString(0)).size(), 40000u);
  EXPECT_EQ(fields(trace.VCA_RadianString(1)).size(), 40000u);
  EXPECT_DOUBLE_EQ(trace.ed(0), 50);
}

TEST(RadiusData, PacketsBeyondThirtyTwoThousandLinesAreWhole) {
  std::string packet = "TRCFMT=1;40000;E;R;F\n";
  for (int i = 0; i < 40000; ++i) packet += "R=2500\n";
  const auto trace = Processed(packet + "DBL=17\n");
  EXPECT_EQ(fields(trace.VCA_RadianString(0)).size(), 40000u);
  EXPECT_DOUBLE_EQ(trace.DBL(), 17);  // the record after the last radius line is read too
}

TEST(SData, ValuesAreTakenWithoutTestAndCounted) {
  auto trace = Processed("_SHLFFMT=1;4;E;R;F\n_S=1;0;;3\n_S=9\n");
  EXPECT_EQ(trace.Rx_SDataString(0), "1;0;;3");
  EXPECT_EQ(trace.SDataCount(0), 4);
  EXPECT_EQ(trace.SDataCount(1), 4);
  std::string mirrored = "1;0;;3";
  MirrorList(mirrored);
  EXPECT_EQ(trace.VCA_SDataString(1), mirrored);
  EXPECT_EQ(trace.Rx_SDataString(1), "1;0;;3");
}

TEST(SData, BothEyesFormatIsFoundAsWrittenBeforeItBecomesRight) {
  auto trace = Processed("_SHLFFMT=1;2;E;B;F\n_S=4;5\n");
  EXPECT_EQ(trace.VCA_SDataString(0), "4;5");
  EXPECT_EQ(trace.VCA_SDataString(1), "5;4");
}

TEST(SData, BothSidesReceivedMirrorTheLeftRxList) {
  auto trace = Processed("_SHLFFMT=1;2;E;R;F\n_S=1;2\n_SHLFFMT=1;2;E;L;F\n_S=3;4\n");
  EXPECT_EQ(trace.VCA_SDataString(1), "3;4");
  EXPECT_EQ(trace.Rx_SDataString(1), "4;3");
}

}  // namespace lumora
