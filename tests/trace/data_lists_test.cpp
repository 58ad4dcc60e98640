// The data lists of both eyes: gathering, mirroring, completing a one-eye trace.
#include <gtest/gtest.h>

#include <memory>

#include "base/core/ascii_text.h"
#include "base/core/number_text.h"
#include "trace/core/list_gather.h"
#include "trace/core/mirror.h"
#include "trace_packets.h"

namespace lumora {
using namespace lumora::testing;

namespace {
std::string joined(const std::vector<std::string>& values) { return joinFields(values, ';'); }
std::string mirrored(std::string list) {
  mirrorList(list);
  return list;
}
constexpr Orientation kRx = Orientation::AsRightEye, kVca = Orientation::AsTraced;
}  // namespace

// Field i lands at (n/2 + 1 - 1 - i) mod n, n/2 + 1 rounded halves to even; fewer than two
// fields give none.
TEST(Mirror, ReordersFieldsAboutTheVerticalAxis) {
  EXPECT_EQ(mirrored("2400.0;;07;abc") + "|" + mirrored("1;2") + "|" + mirrored("7"), "07;;2400.0;abc|2;1|");
  for (auto [n, whereFirstLands] : {std::pair{400, 200}, std::pair{401, 201}, std::pair{403, 201}}) {
    const auto out = splitToStrings(mirrored(joined(numbered(static_cast<std::size_t>(n), 0))), ';');
    EXPECT_EQ(out[static_cast<std::size_t>(whereFirstLands)] + " " + out[0], "0 " + std::to_string(whereFirstLands)) << n;
  }
  EXPECT_EQ(mirroredValues({1, 2, 3, 4}), (std::vector<double>{3, 2, 1, 4}));
}

// The lists as traced and as the right eye is seen, and the format lines: a missing eye is
// completed, the left eye mirrored; the radii as numbers follow the radius list.
TEST(DataLists, AMissingEyeIsCompletedAndTheLeftEyeMirrored) {
  const std::string a = joined(numbered(400)), b = joined(numbered(400, 1000)), fmtR = "TRCFMT=1;400;E;R;F";
  const std::string fmtL = "TRCFMT=1;400;E;L;F";
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {eyeRecords('R', numbered(400)), {a, mirrored(a), a, a, fmtR, fmtL}},
      {eyeRecords('R', numbered(400)) + eyeRecords('L', numbered(400, 1000)), {a, b, a, mirrored(b), fmtR, fmtL}},
      {eyeRecords('L', numbered(400)), {mirrored(a), a, mirrored(a), mirrored(a), fmtR, fmtL}}};
  for (const auto& [packet, lists] : cases) {
    const auto t = processed(packet);
    const auto radii = [&](Side side, Orientation o) { return t.listText(DataList::Radii, side, o); };
    EXPECT_EQ((std::vector{radii(Side::Right, kVca), radii(Side::Left, kVca), radii(Side::Right, kRx),
                           radii(Side::Left, kRx), t.traceFormat(Side::Right), t.traceFormat(Side::Left)}),
              lists);
    for (Side side : kBothSides)
      for (Orientation o : {kRx, kVca}) EXPECT_EQ(t.radii(side, o), valuesOf(splitFields(radii(side, o), ';')));
  }
  // Mirrored angles become 360 - ((angle + 180) mod 360) in whole degrees.
  EXPECT_EQ(processed("TRCFMT=1;4;E;L;F\nR=1;2;3;4\nA=10.4;90;180;270\n").listText(DataList::Angles, Side::Left, kRx),
            "360.00;90.00;170.00;270.00");
}

// The scan takes positive values of upper-case lines and stops only after a whole line has
// reached the count, even running on into the other eye's lines.
TEST(DataLists, ListsTakeWholeLinesOfPositiveValuesUpToTheirCounts) {
  const struct { const char *packet, *radii, *angles, *z; } cases[] = {
      {"TRCFMT=1;4;E;R;F\nR=1;0;-2;x;3\nJOB=1\nTRCFMT=1;2;E;L;F\nR=7;8\n", "1;3;7;8", "", ""},
      {"TRCFMT=1;3;E;R;F\nR=1;2\nR=3;4;5\nR=6\n", "1;2;3;4;5", "", ""},
      {"TRCFMT=1;0;E;R;F\nR=1;2\nR=3\nA=5\n", "1;2", "", ""},
      {"TRCFMT=1;3;E;R;F\nr=1;2;3\nR=4;5;6\n", "4;5;6", "", ""},
      {"TRCFMT=1;3;E;R;F\nZFMT=1;2;E;R;F\nR=10;20;30\nA=0;120;240\nZ=5;6;7\nr=99\n", "10;20;30", "120;240", "5;6;7"},
      {"TRCFMT=1;3;E;R;F\nR=10;20;30\nZ=5;6;7\n", "10;20;30", "", ""}};  // no Z format, no Z
  for (const auto& c : cases) {
    auto t = processed(c.packet);
    EXPECT_EQ((std::vector{t.listText(DataList::Radii, Side::Right, kVca), t.listText(DataList::Angles, Side::Right, kVca),
                           t.listText(DataList::Depths, Side::Right, kVca)}),
              (std::vector<std::string>{c.radii, c.angles, c.z}))
        << c.packet;
  }
}

// Mended fault: counts and line numbers were once 16-bit.
TEST(DataLists, PacketsBeyondThirtyTwoThousandValuesAndLinesAreWhole) {
  std::string packet = "TRCFMT=1;40000;E;R;F\n";
  for (int i = 0; i < 40000; ++i) packet += "R=2500\n";
  const auto t = processed(packet + "DBL=17\n");  // the record after the last radius line is read too
  EXPECT_EQ(std::pair(t.radii(Side::Right, kVca).size(), t.radii(Side::Left, kVca).size()),
            (std::pair<std::size_t, std::size_t>(40000, 40000)));
  EXPECT_EQ(std::pair(t.effectiveDiameter(Side::Right), t.distanceBetweenLenses()), std::pair(50.0, 17.0));
}

// Shown: the right eye as traced, the left eye as traced, the left eye as the right eye is seen.
TEST(DataLists, EveryFieldOfTheSValuesIsTakenAndTheLeftEyesMirrored) {
  const std::pair<const char*, const char*> cases[] = {
      {"_SHLFFMT=1;4;E;R;F\n_S=1;0;;3\n_S=9\n", "1;0;;3 ;0;1;3 1;0;;3"},
      {"_SHLFFMT=1;2;E;B;F\n_S=4;5\n", "4;5 5;4 4;5"},  // found as written, before B becomes R
      {"_SHLFFMT=1;2;E;R;F\n_S=1;2\n_SHLFFMT=1;2;E;L;F\n_S=3;4\n", "1;2 3;4 4;3"}};
  for (const auto& [packet, lists] : cases) {
    const auto t = processed(packet);
    const auto s = [&](Side side, Orientation o) { return t.listText(DataList::SValues, side, o); };
    EXPECT_EQ(s(Side::Right, kVca) + " " + s(Side::Left, kVca) + " " + s(Side::Left, kRx), lists) << packet;
  }
}

// A plain decimal field is read in one pass, any other by value(): either way each kept
// number and the list text are what value() and the line say. The block lies in a buffer of
// its own size, so that a read past its end shows under AddressSanitizer.
TEST(ListGather, EveryLineReadsAsValueWouldWhateverItsFields) {
  for (const std::string field : {"2655", "0.899", "5.", ".5", "0", "-0", "0.000", "-12", "", "?", "-", "00012",
                                  "123456789012345", "1234567890123456", "95142426273599.37", "12 5", "1e3", "+7",
                                  "12abc", "1.5.5"}) {
    const std::string text = "R=" + field + ";2655;0.899\nR=7";
    const auto block = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    ListGatherer g("R=", 100, Take::PositiveValues);
    gatherLists(std::string_view(block.get(), text.size()), {&g});
    std::vector<std::string> kept;
    for (const std::string& f : {field, std::string("2655"), std::string("0.899"), std::string("7")})
      if (value(f) > 0) kept.push_back(f);
    EXPECT_EQ(g.values, valuesOf(kept)) << field;
    EXPECT_EQ(std::pair(g.list.text, g.list.size()), std::pair(joined(kept), kept.size())) << field;
  }
}

// Every gatherer whose label starts a line takes that line, in their order: a longer label
// may start a line alone, a shorter one takes its lines too.
TEST(ListGather, EachLineGoesToEveryGathererWhoseLabelStartsIt) {
  ListGatherer numbers("R=", 10, Take::PositiveNumbers), longer("R=1", 10, Take::EveryField), every("R", 10, Take::EveryField);
  gatherLists("R=12;13\nR=25\nA=" + std::string(100, '1') + "\n", {&numbers, &longer, &every});
  EXPECT_EQ(numbers.values, (std::vector<double>{12, 13, 25}));
  EXPECT_EQ(longer.list.text + " " + every.list.text, "2;13 =12;13;=25");
}

// The lists are printed when asked for, from the packet as it was processed: lookups made
// since (each rewrites the stored packet's line ends) and a failed load change nothing, and
// the next packet replaces them.
TEST(DataLists, ListsComeFromThePacketAsProcessed) {
  // Each lookup halves a run of LFs, so this one outlasts the lookups of processing.
  const std::string packet = "TRCFMT=1;3;E;L;F\r" + std::string(1 << 20, '\n') + "R=5;6;7\r\nA=1;2;3\r\n_SHLFFMT=1;2;E;L;F\n_S=8;9";
  auto t = processed(packet);
  const auto lists = [&] {
    return std::vector{t.listText(DataList::Radii, Side::Left, kVca), t.listText(DataList::Radii, Side::Right, kRx),
                       t.listText(DataList::Angles, Side::Right, kVca), t.listText(DataList::SValues, Side::Left, kVca),
                       t.listText(DataList::SValues, Side::Left, kRx)};
  };
  const auto asProcessed = lists();
  EXPECT_EQ(asProcessed, (std::vector<std::string>{"5;6;7", "6;5;7", "178.00;179.00;177.00", "8;9", "9;8"}));
  const std::string before = t.packet();
  for (int i = 0; i < 12; ++i) t.labelValue("JOB=", Side::Right);
  EXPECT_NE(t.packet(), before);  // the lookups did rewrite it
  EXPECT_EQ(lists(), asProcessed);
  EXPECT_NE(t.load("", "no such trace"), std::nullopt);
  EXPECT_EQ(lists(), asProcessed);
  t.process("TRCFMT=1;2;E;L;F\nR=3;4\n");
  EXPECT_EQ(lists(), (std::vector<std::string>{"3;4", "4;3", "", "", ""}));
}

}  // namespace lumora
