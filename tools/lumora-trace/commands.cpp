#include "commands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "app/core/about_box.h"
#include "json_writer.h"
#include "options.h"
#include "history.h"
#include "render.h"
#include "base/core/file_read.h"
#include "base/core/file_replace.h"
#include "trace/core/trace_record.h"

namespace lumora::tool {
namespace {

constexpr const char* kUsage =
    "usage: lumora-trace info [--json] FILE...\n"
    "       lumora-trace resize FILE --stretch MODE --new-b MM [-o OUT]\n"
    "       lumora-trace drills FILE --side N\n"
    "       lumora-trace label FILE LABEL [--side N]\n"
    "       lumora-trace getall FILE LABEL\n"
    "       lumora-trace multiline FILE LABEL GROUP\n"
    "       lumora-trace render FILE [--side N] -o OUT.png|OUT.svg|OUT.pdf [--scale PX_PER_MM]\n"
    "       lumora-trace history [--job TEXT] [--since DATE] [--json] [--database PATH]\n"
    "       lumora-trace --help | --version\n";

int usage(Streams io, const std::string& problem) {
  if (!problem.empty()) io.err << "lumora-trace: " << problem << "\n";
  io.err << kUsage;
  return kExitUsage;
}

}  // namespace

std::optional<std::string> readInput(const std::string& path, Streams io) {
  std::error_code ec;
  std::ifstream in(pathFromText(path), std::ios::binary);
  if (!in || std::filesystem::is_directory(pathFromText(path), ec)) {
    io.err << "lumora-trace: cannot read " << path << "\n";
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<TraceRecord> loadPacket(const std::string& path, Streams io) {
  const std::optional<std::string> bytes = readInput(path, io);
  if (!bytes) return std::nullopt;
  TraceRecord trace;
  trace.process(*bytes);
  return trace;
}

namespace {

// A device or a pipe ("/dev/stdout", a FIFO a script reads) takes the bytes as they come.
bool isStream(const std::string& path) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(pathFromText(path), ec);
  return std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
         !std::filesystem::is_directory(status);
}

std::optional<Problem> writeStraight(const std::string& path, std::string_view bytes) {
  std::ofstream out(pathFromText(path), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (out) return std::nullopt;
  return Problem{"cannot write " + path + ": " + std::strerror(errno)};
}

}  // namespace

// A file is replaced whole, so a failed write keeps the old one. "/dev/stdout" is the
// standard output as it is, which may be a file the caller appends to: never replaced.
int writeOutput(const std::string& path, std::string_view bytes, Streams io) {
  if (path == "/dev/stdout") {
    io.out << bytes;
    return kExitOk;
  }
  const std::optional<Problem> failure = isStream(path) ? writeStraight(path, bytes) : replaceFileBytes(path, bytes);
  if (!failure) return kExitOk;
  io.err << "lumora-trace: " << failure->text << "\n";
  return kExitFile;
}

namespace {

JsonObject sideJson(const TraceRecord& t, Side s) {
  const auto list = [&](DataList l, Orientation o) { return t.listText(l, s, o); };
  constexpr Orientation kRx = Orientation::AsRightEye, kVca = Orientation::AsTraced;
  return {{"a", t.boxWidth(s)}, {"b", t.boxHeight(s)}, {"c", t.circumference(s)}, {"ed", t.effectiveDiameter(s)},
          {"eda", t.effectiveDiameterAngle(s)}, {"fcrv", t.frameCurve(s)}, {"bevc", t.bevelCurve(s)},
          {"tformat", t.traceFormat(s)}, {"zformat", t.zFormat(s)}, {"radiusCount", t.radiusCount(s)},
          {"zCount", t.zCount(s)}, {"sCount", t.sCount(s)}, {"rxRadii", list(DataList::Radii, kRx)},
          {"rxAngles", list(DataList::Angles, kRx)}, {"rxZ", list(DataList::Depths, kRx)},
          {"rxS", list(DataList::SValues, kRx)}, {"vcaRadii", list(DataList::Radii, kVca)},
          {"vcaAngles", list(DataList::Angles, kVca)}, {"vcaZ", list(DataList::Depths, kVca)},
          {"vcaS", list(DataList::SValues, kVca)}};
}

std::string infoJson(const TraceRecord& t) {
  return toJson(JsonObject{{"dbl", t.distanceBetweenLenses()}, {"ftyp", t.frameType()}, {"etyp", t.edgeType()},
                           {"frameType", t.orderFrameType()}, {"instructions", t.instructions()},
                           {"sides", JsonArray{sideJson(t, Side::Right), sideJson(t, Side::Left)}}});
}

// The counts print as doubles, as this summary always has them (a million reads "1e+06").
void printSummary(const std::string& path, const TraceRecord& t, std::ostream& out) {
  out << path << ": DBL " << t.distanceBetweenLenses() << ", frame type \"" << t.orderFrameType() << "\" (FTYP \""
      << t.frameType() << "\", ETYP \"" << t.edgeType() << "\")\n";
  for (Side s : kBothSides) {
    out << "  " << (s == Side::Right ? "right" : "left ") << ": A " << t.boxWidth(s) << " B " << t.boxHeight(s)
        << " C " << t.circumference(s) << " ED " << t.effectiveDiameter(s) << " EDA " << t.effectiveDiameterAngle(s)
        << " FCRV " << t.frameCurve(s) << " BEVC " << t.bevelCurve(s) << " | "
        << static_cast<double>(t.radiusCount(s)) << " radii \"" << t.traceFormat(s) << "\" \"" << t.zFormat(s)
        << "\"\n";
  }
}

int runInfo(const std::vector<std::string>& args, Streams io) {
  const Options o = parseOptions(args, {}, {"--json"});
  if (!o.error.empty() || o.positional.empty()) return usage(io, o.error.empty() ? "info needs a file" : o.error);
  int code = kExitOk;
  for (const std::string& path : o.positional) {
    const std::optional<TraceRecord> trace = loadPacket(path, io);
    if (!trace) {
      code = kExitFile;
      continue;
    }
    if (o.flags.count("--json")) io.out << infoJson(*trace) << "\n";
    else printSummary(path, *trace, io.out);
  }
  return code;
}

// --stretch 1 stretches the lower half; any other number only re-centres and re-samples.
int runResize(const std::vector<std::string>& args, Streams io) {
  const Options o = parseOptions(args, {"--stretch", "--new-b", "-o"}, {});
  if (!o.error.empty()) return usage(io, o.error);
  const auto stretch = o.values.count("--stretch") ? intArg(o.values.at("--stretch")) : std::nullopt;
  const auto newB = o.values.count("--new-b") ? numberArg(o.values.at("--new-b")) : std::nullopt;
  if (o.positional.size() != 1 || !stretch || !newB) return usage(io, "resize needs FILE, --stretch MODE and --new-b MM");
  if (*newB < 0) return usage(io, "--new-b is a size: 0 or more millimetres");
  // From the file's own text, as a saved trace is rebuilt: a processed packet has had its
  // line ends normalised once already.
  const std::optional<std::string> packet = readInput(o.positional[0], io);
  if (!packet) return kExitFile;
  const auto rebuilt = rebuildWithNewB(*packet, *stretch == 1 ? Stretch::LowerHalf : Stretch::None, *newB);
  if (!rebuilt) {
    io.err << "lumora-trace: " << o.positional[0] << " holds no trace\n";
    return kExitFile;
  }
  if (!o.values.count("-o")) {
    io.out << *rebuilt;
    return kExitOk;
  }
  return writeOutput(o.values.at("-o"), *rebuilt, io);
}

int runDrills(const std::vector<std::string>& args, Streams io) {
  const Options o = parseOptions(args, {"--side"}, {});
  const auto side = o.values.count("--side") ? sideArg(o.values.at("--side")) : std::nullopt;
  if (!o.error.empty() || o.positional.size() != 1 || !side)
    return usage(io, o.error.empty() ? "drills needs FILE and --side 0 or 1" : o.error);
  const std::optional<TraceRecord> trace = loadPacket(o.positional[0], io);
  if (!trace) return kExitFile;
  const std::vector<std::string> drill = trace->drillLines(*side);
  const EdgeDrillRecords edge = trace->edgeDrillRecords(*side);
  io.out << toJson(JsonObject{{"found", !drill.empty()}, {"drill", textArray(drill)},
                              {"drilleFound", edge.anyInPacket}, {"drillsC", textArray(edge.referenceC)},
                              {"drillsB", textArray(edge.referenceB)}, {"drillsE", textArray(edge.referenceE)}})
         << "\n";
  return kExitOk;
}

// A side other than 0 or 1 prints the label's whole value.
int runLabel(const std::vector<std::string>& args, Streams io) {
  const Options o = parseOptions(args, {"--side"}, {});
  const auto side = o.values.count("--side") ? intArg(o.values.at("--side")) : std::optional<int>(0);
  if (!o.error.empty() || o.positional.size() != 2 || !side) return usage(io, o.error.empty() ? "label needs FILE and LABEL" : o.error);
  std::optional<TraceRecord> trace = loadPacket(o.positional[0], io);
  if (!trace) return kExitFile;
  const std::string& label = o.positional[1];
  const std::optional<Side> eye = sideOf(*side);
  io.out << (eye ? trace->labelValue(label, *eye) : trace->labelText(label)) << "\n";
  return kExitOk;
}

int runGetAll(const std::vector<std::string>& args, Streams io) {
  const Options o = parseOptions(args, {}, {});
  if (!o.error.empty() || o.positional.size() != 2) return usage(io, o.error.empty() ? "getall needs FILE and LABEL" : o.error);
  std::optional<TraceRecord> trace = loadPacket(o.positional[0], io);
  if (!trace) return kExitFile;
  io.out << trace->labelText(o.positional[1]) << "\n";
  return kExitOk;
}

int runMultiLine(const std::vector<std::string>& args, Streams io) {
  const Options o = parseOptions(args, {}, {});
  const auto group = o.positional.size() == 3 ? intArg(o.positional[2]) : std::nullopt;
  if (!o.error.empty() || !group) return usage(io, o.error.empty() ? "multiline needs FILE, LABEL and GROUP" : o.error);
  std::optional<TraceRecord> trace = loadPacket(o.positional[0], io);
  if (!trace) return kExitFile;
  io.out << trace->labelLines(o.positional[1], *group) << "\n";
  return kExitOk;
}

}  // namespace

namespace {

int dispatch(const std::string& command, const std::vector<std::string>& rest, Streams io) {
  if (command == "info") return runInfo(rest, io);
  if (command == "resize") return runResize(rest, io);
  if (command == "drills") return runDrills(rest, io);
  if (command == "label") return runLabel(rest, io);
  if (command == "getall") return runGetAll(rest, io);
  if (command == "multiline") return runMultiLine(rest, io);
  if (command == "render") return runRender(rest, io);
  if (command == "history") return runHistory(rest, io);
  return usage(io, "unknown command " + command);
}

}  // namespace

// Output that never reached its destination (a full disk, a closed pipe) is no success.
int runTool(const std::vector<std::string>& args, Streams io) {
  if (args.empty()) return usage(io, "");
  const auto answer = helpOrVersion(args, "lumora-trace", kUsage);
  if (answer) io.out << *answer;
  const int code = answer ? kExitOk : dispatch(args[0], {args.begin() + 1, args.end()}, io);
  if (io.out.flush() || code != kExitOk) return code;
  io.err << "lumora-trace: cannot write the standard output\n";
  return kExitFile;
}

}  // namespace lumora::tool
