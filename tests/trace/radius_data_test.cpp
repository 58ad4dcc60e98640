#include <gtest/gtest.h>

#include "packets.h"
#include "trace/core/list_gather.h"
#include "trace/core/mirror.h"
#include "trace/core/numtext.h"
#include "trace/core/text_util.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

namespace {
std::vector<std::string> fields(const std::string& list) { return SplitToStrings(list, ';'); }
std::string joined(const std::vector<std::string>& values) { return JoinFields(values, ';'); }
std::string mirrored(std::string list) {
  MirrorList(list);
  return list;
}
}  // namespace

// Field i lands at (n/2 + 1 - 1 - i) mod n, n/2 + 1 rounded halves to even.
TEST(Mirror, ReordersFieldsAboutTheVerticalAxis) {
  EXPECT_EQ(mirrored("1;2"), "2;1");
  EXPECT_EQ(mirrored("7"), "");
  EXPECT_EQ(mirrored("2400.0;;07;abc"), "07;;2400.0;abc");
  for (auto [n, whereFirstLands] : {std::pair{400, 200}, std::pair{401, 201}, std::pair{403, 201}}) {
    const auto out = fields(mirrored(joined(Numbered(static_cast<std::size_t>(n), 0))));
    EXPECT_EQ(out[static_cast<std::size_t>(whereFirstLands)], "0") << n;
    EXPECT_EQ(out[0], std::to_string(whereFirstLands)) << n;
  }
  EXPECT_EQ(MirroredValues({1, 2, 3, 4}), (std::vector<double>{3, 2, 1, 4}));
}

TEST(RadiusData, AMissingEyeIsSynthesisedAndTheLeftEyeMirrored) {
  const std::string right = joined(Numbered(400)), left = joined(Numbered(400, 1000));
  auto rightOnly = Processed(EyeRecords('R', Numbered(400)));
  EXPECT_EQ(rightOnly.Rx_RadianString(1), right);
  EXPECT_EQ(rightOnly.VCA_RadianString(1), mirrored(right));
  EXPECT_EQ(rightOnly.TFormat(1), "TRCFMT=1;400;E;L;F");
  auto bothEyes = Processed(EyeRecords('R', Numbered(400)) + EyeRecords('L', Numbered(400, 1000)));
  EXPECT_EQ(bothEyes.VCA_RadianString(1), left);
  EXPECT_EQ(bothEyes.Rx_RadianString(1), mirrored(left));
  auto leftOnly = Processed(EyeRecords('L', Numbered(400)));
  EXPECT_EQ(leftOnly.Rx_RadianString(0), mirrored(right));
  EXPECT_EQ(leftOnly.VCA_RadianString(0), mirrored(right));
  EXPECT_EQ(leftOnly.VCA_RadianString(1), right);
  EXPECT_EQ(leftOnly.TFormat(0), "TRCFMT=1;400;E;R;F");
  // Mirrored angles become 360 - ((angle + 180) mod 360) in whole degrees.
  EXPECT_EQ(Processed("TRCFMT=1;4;E;L;F\nR=1;2;3;4\nA=10.4;90;180;270\n").Rx_AngleString(1), "360.00;90.00;170.00;270.00");
}

// The scan takes positive values of upper-case lines and stops only after a whole line has
// reached the count, even running on into the other eye's lines.
TEST(RadiusData, ListsTakeWholeLinesOfPositiveValuesUpToTheirCounts) {
  const struct { const char *packet, *radii, *angles, *z; } cases[] = {
      {"TRCFMT=1;4;E;R;F\nR=1;0;-2;x;3\nJOB=1\nTRCFMT=1;2;E;L;F\nR=7;8\n", "1;3;7;8", "", ""},
      {"TRCFMT=1;3;E;R;F\nR=1;2\nR=3;4;5\nR=6\n", "1;2;3;4;5", "", ""},
      {"TRCFMT=1;0;E;R;F\nR=1;2\nR=3\nA=5\n", "1;2", "", ""},
      {"TRCFMT=1;3;E;R;F\nr=1;2;3\nR=4;5;6\n", "4;5;6", "", ""},
      {"TRCFMT=1;3;E;R;F\nZFMT=1;2;E;R;F\nR=10;20;30\nA=0;120;240\nZ=5;6;7\nr=99\n", "10;20;30", "120;240", "5;6;7"},
      {"TRCFMT=1;3;E;R;F\nR=10;20;30\nZ=5;6;7\n", "10;20;30", "", ""}};  // no Z format, no Z
  for (const auto& c : cases) {
    auto trace = Processed(c.packet);
    EXPECT_EQ(trace.VCA_RadianString(0), c.radii) << c.packet;
    EXPECT_EQ(trace.VCA_AngleString(0), c.angles) << c.packet;
    EXPECT_EQ(trace.VCA_ZDataString(0), c.z) << c.packet;
  }
}

// Counts and line numbers were once 16-bit.
TEST(RadiusData, PacketsBeyondThirtyTwoThousandValuesAndLinesAreWhole) {
  std::string packet = "TRCFMT=1;40000;E;R;F\n";
  for (int i = 0; i < 40000; ++i) packet += "R=2500\n";
  const auto trace = Processed(packet + "DBL=17\n");
  EXPECT_EQ(fields(trace.VCA_RadianString(0)).size(), 40000u);
  EXPECT_EQ(fields(trace.VCA_RadianString(1)).size(), 40000u);
  EXPECT_DOUBLE_EQ(trace.ed(0), 50);
  EXPECT_DOUBLE_EQ(trace.DBL(), 17);  // the record after the last radius line is read too
}

TEST(SData, EveryFieldIsTakenAndTheLeftRxListMirrored) {
  const struct { const char *packet, *vca0, *vca1, *rx1; double count; } cases[] = {
      {"_SHLFFMT=1;4;E;R;F\n_S=1;0;;3\n_S=9\n", "1;0;;3", ";0;1;3", "1;0;;3", 4},
      {"_SHLFFMT=1;2;E;B;F\n_S=4;5\n", "4;5", "5;4", "4;5", 2},  // found as written, before B becomes R
      {"_SHLFFMT=1;2;E;R;F\n_S=1;2\n_SHLFFMT=1;2;E;L;F\n_S=3;4\n", "1;2", "3;4", "4;3", 2}};
  for (const auto& c : cases) {
    auto trace = Processed(c.packet);
    EXPECT_EQ(trace.VCA_SDataString(0), c.vca0) << c.packet;
    EXPECT_EQ(trace.VCA_SDataString(1), c.vca1) << c.packet;
    EXPECT_EQ(trace.Rx_SDataString(1), c.rx1) << c.packet;
    EXPECT_EQ(trace.SDataCount(1), c.count) << c.packet;
  }
}

}  // namespace lumora

namespace lumora {

// A line of plain positive values is read in one pass, any other field by value(): either
// way each kept number and the list text are what value() and the line say.
TEST(ListGather, EveryLineReadsAsValueWouldWhateverItsFields) {
  for (const std::string field : {"2655", "0.899", "5.", ".5", "0", "0.000", "-12", "", "?", "00012",
                                  "123456789012345", "95142426273599.37", "12 5", "1e3", "+7", "1.5.5"}) {
    const std::string block = "R=" + field + ";2655;0.899\nR=7\n";
    ListGatherer g("R=", 1, Take::PositiveValues);
    GatherLists(block, {&g});
    std::vector<double> values;
    std::string text;
    for (const std::string& f : {field, std::string("2655"), std::string("0.899")}) {
      if (value(f) <= 0) continue;
      values.push_back(value(f));
      text += (text.empty() ? "" : ";") + f;
    }
    EXPECT_EQ(g.values, values) << field;
    EXPECT_EQ(g.list.text, text) << field;
    EXPECT_EQ(g.list.size(), values.size()) << field;
  }
}

}  // namespace lumora
