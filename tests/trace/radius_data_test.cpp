#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "packets.h"
#include "trace/core/list_gather.h"
#include "trace/core/mirror.h"
#include "base/core/number_text.h"
#include "base/core/ascii_text.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

namespace {
std::string joined(const std::vector<std::string>& values) { return joinFields(values, ';'); }
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
    const auto out = splitToStrings(mirrored(joined(Numbered(static_cast<std::size_t>(n), 0))), ';');
    EXPECT_EQ(out[static_cast<std::size_t>(whereFirstLands)], "0") << n;
    EXPECT_EQ(out[0], std::to_string(whereFirstLands)) << n;
  }
  EXPECT_EQ(MirroredValues({1, 2, 3, 4}), (std::vector<double>{3, 2, 1, 4}));
}

// The tracer's lists (VCA) and the lists as seen from the front (Rx) of both eyes, and the
// format lines: a missing eye is synthesised, the left eye mirrored.
TEST(RadiusData, AMissingEyeIsSynthesisedAndTheLeftEyeMirrored) {
  const std::string a = joined(Numbered(400)), b = joined(Numbered(400, 1000)), fmtR = "TRCFMT=1;400;E;R;F";
  const std::string fmtL = "TRCFMT=1;400;E;L;F";
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {EyeRecords('R', Numbered(400)), {a, mirrored(a), a, a, fmtR, fmtL}},
      {EyeRecords('R', Numbered(400)) + EyeRecords('L', Numbered(400, 1000)), {a, b, a, mirrored(b), fmtR, fmtL}},
      {EyeRecords('L', Numbered(400)), {mirrored(a), a, mirrored(a), mirrored(a), fmtR, fmtL}}};
  for (const auto& [packet, lists] : cases) {
    const auto t = Processed(packet);
    EXPECT_EQ((std::vector{t.VCA_RadianString(0), t.VCA_RadianString(1), t.Rx_RadianString(0), t.Rx_RadianString(1),
                           t.TFormat(0), t.TFormat(1)}), lists);
  }
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
    auto t = Processed(c.packet);
    EXPECT_EQ((std::vector{t.VCA_RadianString(0), t.VCA_AngleString(0), t.VCA_ZDataString(0)}),
              (std::vector<std::string>{c.radii, c.angles, c.z})) << c.packet;
  }
}

// Mended fault: counts and line numbers were once 16-bit.
TEST(RadiusData, PacketsBeyondThirtyTwoThousandValuesAndLinesAreWhole) {
  std::string packet = "TRCFMT=1;40000;E;R;F\n";
  for (int i = 0; i < 40000; ++i) packet += "R=2500\n";
  const auto t = Processed(packet + "DBL=17\n");  // the record after the last radius line is read too
  const std::size_t counts[] = {splitFields(t.VCA_RadianString(0), ';').size(), splitFields(t.VCA_RadianString(1), ';').size()};
  EXPECT_EQ((std::vector{counts[0], counts[1]}), (std::vector<std::size_t>{40000, 40000}));
  EXPECT_EQ(std::pair(t.ed(0), t.DBL()), std::pair(50.0, 17.0));
}

TEST(SData, EveryFieldIsTakenAndTheLeftRxListMirrored) {
  const struct { const char *packet, *vca0, *vca1, *rx1; } cases[] = {
      {"_SHLFFMT=1;4;E;R;F\n_S=1;0;;3\n_S=9\n", "1;0;;3", ";0;1;3", "1;0;;3"},
      {"_SHLFFMT=1;2;E;B;F\n_S=4;5\n", "4;5", "5;4", "4;5"},  // found as written, before B becomes R
      {"_SHLFFMT=1;2;E;R;F\n_S=1;2\n_SHLFFMT=1;2;E;L;F\n_S=3;4\n", "1;2", "3;4", "4;3"}};
  for (const auto& c : cases) {
    auto t = Processed(c.packet);
    EXPECT_EQ((std::vector{t.VCA_SDataString(0), t.VCA_SDataString(1), t.Rx_SDataString(1)}),
              (std::vector<std::string>{c.vca0, c.vca1, c.rx1})) << c.packet;
  }
}

// A line of plain positive values is read in one pass, any other field by value(): either
// way each kept number and the list text are what value() and the line say.
TEST(ListGather, EveryLineReadsAsValueWouldWhateverItsFields) {
  for (const std::string field : {"2655", "0.899", "5.", ".5", "0", "0.000", "-12", "", "?", "00012",
                                  "123456789012345", "95142426273599.37", "12 5", "1e3", "+7", "1.5.5"}) {
    ListGatherer g("R=", 1, Take::PositiveValues);
    GatherLists("R=" + field + ";2655;0.899\nR=7\n", {&g});
    std::vector<double> values;
    std::string text;
    for (const std::string& f : {field, std::string("2655"), std::string("0.899")}) {
      if (value(f) <= 0) continue;
      values.push_back(value(f));
      text += (text.empty() ? "" : ";") + f;
    }
    EXPECT_EQ(g.values, values) << field;
    EXPECT_EQ(std::pair(g.list.text, g.list.size()), std::pair(text, values.size())) << field;
  }
}

// Every gatherer whose label starts a line takes that line, in their order, even where a run
// of lines is read in one go for one of them: a longer label may start the first line alone.
TEST(ListGather, EachLineGoesToEveryGathererWhoseLabelStartsIt) {
  const std::string tail = "A=" + std::string(100, '1') + "\n";
  ListGatherer numbers("R=", 10, Take::PositiveNumbers), every("R", 10, Take::EveryField);
  GatherLists("R=5;6\nR=7;8\nR=9\n" + tail, {&numbers, &every});
  EXPECT_EQ(numbers.values, (std::vector<double>{5, 6, 7, 8, 9}));
  EXPECT_EQ(std::pair(every.list.text, every.count), std::pair(std::string("=5;6;=7;8;=9"), std::int64_t{5}));
  for (const Take take : {Take::EveryField, Take::PositiveNumbers}) {
    ListGatherer first("R=", 10, Take::PositiveNumbers), longer("R=1", 10, take);
    GatherLists("R=12;13\nR=25\n" + tail, {&first, &longer});
    EXPECT_EQ(std::pair(first.values, first.count), std::pair(std::vector<double>{12, 13, 25}, std::int64_t{3}));
    EXPECT_EQ(std::pair(longer.list.text, longer.count), take == Take::EveryField
                                                             ? std::pair(std::string("2;13"), std::int64_t{2})
                                                             : std::pair(std::string(), std::int64_t{2}));
  }
}

// The lists are printed when asked for, from the packet as it was processed: lookups made
// since (each rewrites the stored packet's line ends) and a failed load change nothing, and
// the next packet replaces them.
TEST(RadiusData, ListsComeFromThePacketAsProcessed) {
  // Each lookup halves a run of LFs, so this one outlasts the lookups of processing.
  const std::string packet = "TRCFMT=1;3;E;L;F\r" + std::string(1 << 20, '\n') + "R=5;6;7\r\nA=1;2;3\r\n_SHLFFMT=1;2;E;L;F\n_S=8;9";
  auto t = Processed(packet);
  const auto lists = [&] {
    return std::vector{t.VCA_RadianString(1), t.Rx_RadianString(0), t.VCA_AngleString(0), t.VCA_SDataString(1), t.Rx_SDataString(1)};
  };
  const auto asProcessed = lists();
  EXPECT_EQ(asProcessed, (std::vector<std::string>{"5;6;7", "6;5;7", "178.00;179.00;177.00", "8;9", "9;8"}));
  const std::string before = t.VCATracePacket();
  for (int i = 0; i < 12; ++i) t.VCALabelValue("JOB=", 0);
  EXPECT_NE(t.VCATracePacket(), before);  // the lookups did rewrite it
  EXPECT_EQ(lists(), asProcessed);
  EXPECT_FALSE(t.LoadVCATrace("no such trace"));
  EXPECT_EQ(lists(), asProcessed);
  t.ProcessTrace("TRCFMT=1;2;E;L;F\nR=3;4\n");
  EXPECT_EQ(lists(), (std::vector<std::string>{"3;4", "4;3", "", "", ""}));
}

// Lines of whole numbers are read 64 bytes at a time when only the numbers are kept: long
// lines whose numbers straddle those 64-byte stretches, odd fields, and lines that end near
// the block's end must give the numbers the full reading gives. The block lies in a buffer of
// its own size, so that a read past its end shows under AddressSanitizer.
TEST(ListGather, KeepingOnlyTheNumbersReadsEveryLineAlike) {
  const std::vector<std::string> oddFields = {"0", "00000000", "123456789", "-5", "12.5", "", "x", "1 2"};
  std::mt19937 random(5);
  const auto field = [&] {
    if (random() % 40 == 0) return oddFields[random() % oddFields.size()];
    std::string digits(1 + random() % 8, '0');
    for (char& d : digits) d = static_cast<char>('0' + random() % 10);
    return digits;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (int line = 0, lines = 1 + static_cast<int>(random() % 3); line < lines; ++line) {
      text += random() % 4 ? "R=" : "A=1\nR=";
      for (int f = 0, count = 1 + static_cast<int>(random() % 60); f < count; ++f) text += (f ? ";" : "") + field();
      if (line + 1 < lines || random() % 4) text += '\n';
    }
    text += std::string(random() % 80, 'x');
    const auto block = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    const std::string_view view(block.get(), text.size());
    const auto wanted = static_cast<std::int64_t>(random() % 200);
    ListGatherer full("R=", wanted, Take::PositiveValues), numbers("R=", wanted, Take::PositiveNumbers);
    GatherLists(view, {&full});
    GatherLists(view, {&numbers});
    ASSERT_EQ(std::pair(numbers.values, numbers.count), std::pair(full.values, full.count)) << text;
    EXPECT_EQ(numbers.list.text + std::to_string(numbers.list.size()), "0") << text;
  }
}

}  // namespace lumora
