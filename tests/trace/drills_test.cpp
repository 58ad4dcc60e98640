// Drill records of one eye, as the trace record hands them out.
#include <gtest/gtest.h>

#include "trace_packets.h"

namespace lumora {
using namespace lumora::testing;
using Lines = std::vector<std::string>;

const std::string kBothEyesC = "DRILLE=B;C;12;3.5;2;-3.456;1;0.5\n";

// Records are upper-cased once any is written in capitals; a both-eye record becomes the
// eye's own, mirrored for the left eye; one record may land in several lists.
TEST(EdgeDrillRecords, SortsTheEyesRecordsByReferenceLetter) {
  const struct { std::string packet; Side side; bool any; Lines c, b, e; } cases[] = {
      {"JOB=\"42\"\r\nTRCFMT=1;4;E;R;F\r\nR=2500;2500;2500;2500\r\nDRILL=B;1;2\r\n" + kBothEyesC, Side::Left, true,
       {"DRILLE=L;C;-12.00;3.5;2;3.46;1;0.5"}, {}, {}},
      {kBothEyesC, Side::Right, true, {"DRILLE=R;C;12;3.5;2;-3.456;1;0.5"}, {}, {}},
      {"DRILLE=L;E;1;2;3;4\n", Side::Right, true, {}, {}, {}},  // the other eye's record: present, not returned
      {"DRILLE=L;E;1;2;3;4\n", Side::Left, true, {}, {}, {"DRILLE=L;E;1;2;3;4"}},
      {"DRILLE=R;E;1\r\ndrille=r;c;2;x\rdrille=b;b;3\n", Side::Right, true, {"DRILLE=R;C;2;X"}, {"DRILLE=R;B;3"}, {"DRILLE=R;E;1"}},
      {"DRILLE=R;C;1;2;B;3\nDRILLE=R;C;4", Side::Right, true, {"DRILLE=R;C;1;2;B;3", "DRILLE=R;C;4"}, {"DRILLE=R;C;1;2;B;3"}, {}},
      {"drille=b;c;1;2;3;4\n", Side::Right, false, {}, {}, {}}, {"", Side::Right, false, {}, {}, {}}};
  for (const auto& c : cases) {
    const EdgeDrillRecords records = processed(c.packet).edgeDrillRecords(c.side);
    EXPECT_EQ(records.anyInPacket, c.any) << c.packet;
    EXPECT_EQ((std::vector{records.referenceC, records.referenceB, records.referenceE}), (std::vector{c.c, c.b, c.e}))
        << c.packet;
  }
}

TEST(DrillLines, TakesTheEyesAndBothEyeRecordsInOrder) {
  const struct { std::string packet; Side side; Lines lines; } cases[] = {
      {"DRILL=R;1;2\nDRILL=L;3;4\nDRILL=B;5;6\nDRILLE=R;C;7\nDRILL=r;8\n", Side::Right, {"DRILL=R;1;2", "DRILL=B;5;6", "DRILL=R;8"}},
      {kBothEyesC + "DRILLE=L;C;1\n", Side::Left, {}}, {"JOB=1\ndrill=r;1", Side::Right, {}}, {"DRILL=L;1", Side::Right, {}}};
  for (const auto& c : cases) EXPECT_EQ(processed(c.packet).drillLines(c.side), c.lines) << c.packet;
}

}  // namespace lumora
