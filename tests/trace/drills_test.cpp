// Drill records of one eye, as the trace record hands them out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "trace/core/drill_records.h"
#include "trace/core/vca_trace.h"

namespace lumora {
namespace {

using Lines = std::vector<std::string>;

struct DrilleLists {
  bool found = false;
  Lines C, B, E;
};

DrilleLists Drille(const std::string& packet, int side) {
  DrilleLists out;
  out.found = detail::CollectDrilleLines(packet, side, out.C, out.B, out.E);
  return out;
}

const std::string kBothEyesC = "DRILLE=B;C;12;3.5;2;-3.456;1;0.5\n";

TEST(MirrorDrillRecord, NegatesTheHorizontalCoordinatesWithTwoDecimals) {
  EXPECT_EQ(detail::MirrorDrillRecord("DRILLE=L;C;12;3.5;2;-3.456;1;0.5"),
            "DRILLE=L;C;-12.00;3.5;2;3.46;1;0.5");
  EXPECT_EQ(detail::MirrorDrillRecord("X;Y;0.5;Z;W;0"), "X;Y;-.50;Z;W;.00");
}

TEST(MirrorDrillRecord, HandlesShortAndEmptyRecords) {
  EXPECT_EQ(detail::MirrorDrillRecord(""), "");
  EXPECT_EQ(detail::MirrorDrillRecord("DRILLE=L"), "");
  EXPECT_EQ(detail::MirrorDrillRecord("A;B"), "A;B");
  EXPECT_EQ(detail::MirrorDrillRecord("A;B;?"), "A;B;.00");
  EXPECT_EQ(detail::MirrorDrillRecord("A;B;4;"), "A;B;-4.00;");
}

TEST(GetDrilleData, BothEyeRecordForTheLeftEyeIsRelabelledAndMirrored) {
  const DrilleLists lists = Drille("JOB=1\n" + kBothEyesC, 1);
  EXPECT_TRUE(lists.found);
  EXPECT_EQ(lists.C, Lines{"DRILLE=L;C;-12.00;3.5;2;3.46;1;0.5"});
  EXPECT_TRUE(lists.B.empty());
  EXPECT_TRUE(lists.E.empty());
}

TEST(GetDrilleData, BothEyeRecordForTheRightEyeKeepsItsNumbersAsWritten) {
  const DrilleLists lists = Drille(kBothEyesC, 0);
  EXPECT_EQ(lists.C, Lines{"DRILLE=R;C;12;3.5;2;-3.456;1;0.5"});
}

TEST(GetDrilleData, OtherEyeRecordIsNotReturnedButCountsAsFound) {
  const DrilleLists lists = Drille("DRILLE=L;E;1;2;3;4\n", 0);
  EXPECT_TRUE(lists.found);
  EXPECT_TRUE(lists.C.empty() && lists.B.empty() && lists.E.empty());
}

TEST(GetDrilleData, OwnEyeRecordOfTheLeftEyeIsNotMirrored) {
  EXPECT_EQ(Drille("DRILLE=L;E;1;2;3;4\n", 1).E, Lines{"DRILLE=L;E;1;2;3;4"});
}

TEST(GetDrilleData, LowerCaseRecordsAloneAreNotFound) {
  Lines C{"kept"}, B, E;
  EXPECT_FALSE(detail::CollectDrilleLines("drille=b;c;1;2;3;4\n", 0, C, B, E));
  EXPECT_EQ(C, Lines{"kept"});
}

TEST(GetDrilleData, LinesAreUpperCasedOnceAnyRecordIsWrittenInCapitals) {
  const DrilleLists lists = Drille("DRILLE=R;E;1\r\ndrille=r;c;2;x\rdrille=b;b;3\n", 0);
  EXPECT_EQ(lists.E, Lines{"DRILLE=R;E;1"});
  EXPECT_EQ(lists.C, Lines{"DRILLE=R;C;2;X"});
  EXPECT_EQ(lists.B, Lines{"DRILLE=R;B;3"});
}

TEST(GetDrilleData, RecordMatchingSeveralLettersLandsInEachList) {
  const DrilleLists lists = Drille("DRILLE=R;C;1;2;B;3\n", 0);
  EXPECT_EQ(lists.C, Lines{"DRILLE=R;C;1;2;B;3"});
  EXPECT_EQ(lists.B, Lines{"DRILLE=R;C;1;2;B;3"});
  EXPECT_TRUE(lists.E.empty());
}

TEST(GetDrilleData, AppendsToWhatTheListsAlreadyHold) {
  Lines C{"earlier"}, B{"b0"}, E{"e0"};
  EXPECT_TRUE(detail::CollectDrilleLines("DRILLE=R;C;1\nDRILLE=R;C;2", 0, C, B, E));
  EXPECT_EQ(C, (Lines{"earlier", "DRILLE=R;C;1", "DRILLE=R;C;2"}));
  EXPECT_EQ(B, Lines{"b0"});
  EXPECT_EQ(E, Lines{"e0"});
}

TEST(GetDrilleData, SideOutsideTheEyesFindsNothing) {
  Lines C, B, E;
  EXPECT_FALSE(detail::CollectDrilleLines(kBothEyesC, 2, C, B, E));
  EXPECT_FALSE(detail::CollectDrilleLines(kBothEyesC, -1, C, B, E));
  EXPECT_TRUE(C.empty());
}

TEST(GetDrillData, TakesTheSideAndBothEyeRecordsInOrder) {
  Lines lines;
  EXPECT_TRUE(detail::CollectDrillLines(
      "DRILL=R;1;2\nDRILL=L;3;4\nDRILL=B;5;6\nDRILLE=R;C;7\nDRILL=r;8\n", 0, lines));
  EXPECT_EQ(lines, (Lines{"DRILL=R;1;2", "DRILL=B;5;6", "DRILL=R;8"}));
}

TEST(GetDrillData, DrilleRecordsNeverAppear) {
  Lines lines;
  EXPECT_FALSE(detail::CollectDrillLines(kBothEyesC + "DRILLE=R;C;1\nDRILLE=L;C;1\n", 1, lines));
  EXPECT_TRUE(lines.empty());
}

TEST(GetDrillData, NoRecordLeavesTheListUntouched) {
  Lines lines{"kept"};
  EXPECT_FALSE(detail::CollectDrillLines("JOB=1\ndrill=r;1", 0, lines));
  EXPECT_FALSE(detail::CollectDrillLines("DRILL=L;1", 0, lines));
  EXPECT_EQ(lines, Lines{"kept"});
}

TEST(GetDrillData, SideOutsideTheEyesFindsNothing) {
  Lines lines;
  EXPECT_FALSE(detail::CollectDrillLines("DRILL=B;1", 5, lines));
  EXPECT_TRUE(lines.empty());
}

const std::string kTracePacket =
    "JOB=\"42\"\r\nTRCFMT=1;4;E;R;F\r\nR=2500;2500;2500;2500\r\nDRILL=B;1;2\r\n" + kBothEyesC;

TEST(TraceDrills, LoadedTraceHandsOutItsDrillRecords) {
  clsVCATrace trace;
  trace.ProcessTrace(kTracePacket);
  Lines drill, C, B, E;
  EXPECT_TRUE(trace.GetDrillData(drill, 1));
  EXPECT_EQ(drill, Lines{"DRILL=B;1;2"});
  EXPECT_TRUE(trace.GetDrilleData(C, B, E, 1));
  EXPECT_EQ(C, Lines{"DRILLE=L;C;-12.00;3.5;2;3.46;1;0.5"});
}

TEST(TraceDrills, EmptyTraceHasNone) {
  const clsVCATrace trace;
  Lines drill, C, B, E;
  EXPECT_FALSE(trace.GetDrillData(drill, 0));
  EXPECT_FALSE(trace.GetDrilleData(C, B, E, 0));
}

}  // namespace
}  // namespace lumora
