// Drill records of one eye, as the trace record hands them out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "packets.h"
#include "trace/core/vca_trace.h"

namespace lumora {
namespace {
using namespace lumora::testing;
using Lines = std::vector<std::string>;

// Records are appended to what the lists held before, which stays when none is found.
Lines afterEarlier(Lines added) {
  added.insert(added.begin(), "earlier");
  return added;
}

const std::string kBothEyesC = "DRILLE=B;C;12;3.5;2;-3.456;1;0.5\n";
const std::string kBothEyesCForLeft = "DRILLE=L;C;-12.00;3.5;2;3.46;1;0.5";

// Records are upper-cased once any is written in capitals; a both-eye record becomes the
// side's own, mirrored for the left eye; one record may land in several lists.
TEST(GetDrilleData, SortsTheSidesRecordsByReferenceLetter) {
  const struct { std::string packet; int side; bool found; Lines C, B, E; } cases[] = {
      {"JOB=\"42\"\r\nTRCFMT=1;4;E;R;F\r\nR=2500;2500;2500;2500\r\nDRILL=B;1;2\r\n" + kBothEyesC, 1, true,
       {kBothEyesCForLeft}, {}, {}},
      {kBothEyesC, 0, true, {"DRILLE=R;C;12;3.5;2;-3.456;1;0.5"}, {}, {}},
      {"DRILLE=L;E;1;2;3;4\n", 0, true, {}, {}, {}},  // the other eye's record: found, not returned
      {"DRILLE=L;E;1;2;3;4\n", 1, true, {}, {}, {"DRILLE=L;E;1;2;3;4"}},
      {"DRILLE=R;E;1\r\ndrille=r;c;2;x\rdrille=b;b;3\n", 0, true, {"DRILLE=R;C;2;X"}, {"DRILLE=R;B;3"}, {"DRILLE=R;E;1"}},
      {"DRILLE=R;C;1;2;B;3\nDRILLE=R;C;4", 0, true, {"DRILLE=R;C;1;2;B;3", "DRILLE=R;C;4"}, {"DRILLE=R;C;1;2;B;3"}, {}},
      {"drille=b;c;1;2;3;4\n", 0, false, {}, {}, {}}, {"", 0, false, {}, {}, {}}, {kBothEyesC, 2, false, {}, {}, {}}};
  for (const auto& c : cases) {
    Lines C{"earlier"}, B{"earlier"}, E{"earlier"};
    EXPECT_EQ(Processed(c.packet).GetDrilleData(C, B, E, c.side), c.found) << c.packet << c.side;
    EXPECT_EQ((std::vector{C, B, E}), (std::vector{afterEarlier(c.C), afterEarlier(c.B), afterEarlier(c.E)}))
        << c.packet << c.side;
  }
}

TEST(GetDrillData, TakesTheSidesAndBothEyeRecordsInOrder) {
  const struct { std::string packet; int side; Lines lines; } cases[] = {
      {"DRILL=R;1;2\nDRILL=L;3;4\nDRILL=B;5;6\nDRILLE=R;C;7\nDRILL=r;8\n", 0, {"DRILL=R;1;2", "DRILL=B;5;6", "DRILL=R;8"}},
      {kBothEyesC + "DRILLE=L;C;1\n", 1, {}}, {"JOB=1\ndrill=r;1", 0, {}}, {"DRILL=L;1", 0, {}}, {"DRILL=B;1", 5, {}}};
  for (const auto& c : cases) {
    Lines lines{"earlier"};
    EXPECT_EQ(Processed(c.packet).GetDrillData(lines, c.side), !c.lines.empty()) << c.packet << c.side;
    EXPECT_EQ(lines, afterEarlier(c.lines)) << c.packet << c.side;
  }
}

}  // namespace
}  // namespace lumora
