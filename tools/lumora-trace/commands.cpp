#include "commands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "json_writer.h"
#include "options.h"
#include "render.h"
#include "base/core/file_read.h"
#include "base/core/file_replace.h"
#include "trace/core/vca_trace.h"

namespace lumora::tool {
namespace {

constexpr const char* kUsage =
    "usage: lumora-trace info [--json] FILE...\n"
    "       lumora-trace resize FILE --stretch MODE --new-b MM [-o OUT]\n"
    "       lumora-trace drills FILE --side N\n"
    "       lumora-trace label FILE LABEL [--side N]\n"
    "       lumora-trace getall FILE LABEL\n"
    "       lumora-trace multiline FILE LABEL GROUP\n"
    "       lumora-trace render FILE [--side N] -o OUT.png|OUT.svg [--scale PX_PER_MM]\n";

int usage(Streams io, const std::string& problem) {
  if (!problem.empty()) io.err << "lumora-trace: " << problem << "\n";
  io.err << kUsage;
  return kExitUsage;
}

}  // namespace

std::optional<std::string> ReadInput(const std::string& path, Streams io) {
  std::error_code ec;
  std::ifstream in(pathFromText(path), std::ios::binary);
  if (!in || std::filesystem::is_directory(pathFromText(path), ec)) {
    io.err << "lumora-trace: cannot read " << path << "\n";
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool LoadPacket(const std::string& path, clsVCATrace& trace, Streams io) {
  const std::optional<std::string> bytes = ReadInput(path, io);
  if (bytes) trace.ProcessTrace(*bytes);
  return bytes.has_value();
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
int WriteOutput(const std::string& path, std::string_view bytes, Streams io) {
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

JsonObject sideJson(const clsVCATrace& t, int s) {
  return {{"a", t.a(s)}, {"b", t.B(s)}, {"c", t.C(s)}, {"ed", t.ed(s)}, {"eda", t.eda(s)},
          {"fcrv", t.FCRV(s)}, {"bevc", t.BEVC(s)}, {"tformat", t.TFormat(s)}, {"zformat", t.ZFormat(s)},
          {"radiusCount", t.RadianCount(s)}, {"zCount", t.ZDataCount(s)}, {"sCount", t.SDataCount(s)},
          {"rxRadii", t.Rx_RadianString(s)}, {"rxAngles", t.Rx_AngleString(s)}, {"rxZ", t.Rx_ZDataString(s)},
          {"rxS", t.Rx_SDataString(s)}, {"vcaRadii", t.VCA_RadianString(s)}, {"vcaAngles", t.VCA_AngleString(s)},
          {"vcaZ", t.VCA_ZDataString(s)}, {"vcaS", t.VCA_SDataString(s)}};
}

std::string infoJson(const clsVCATrace& t) {
  return ToJson(JsonObject{{"dbl", t.DBL()}, {"ftyp", t.FTYP()}, {"etyp", t.ETYP()},
                           {"frameType", t.LumframeType()}, {"instructions", t.Instructions()},
                           {"sides", JsonArray{sideJson(t, 0), sideJson(t, 1)}}});
}

void printSummary(const std::string& path, const clsVCATrace& t, std::ostream& out) {
  out << path << ": DBL " << t.DBL() << ", frame type \"" << t.LumframeType() << "\" (FTYP \"" << t.FTYP()
      << "\", ETYP \"" << t.ETYP() << "\")\n";
  for (int s : {0, 1}) {
    out << "  " << (s == 0 ? "right" : "left ") << ": A " << t.a(s) << " B " << t.B(s) << " C " << t.C(s)
        << " ED " << t.ed(s) << " EDA " << t.eda(s) << " FCRV " << t.FCRV(s) << " BEVC " << t.BEVC(s)
        << " | " << t.RadianCount(s) << " radii \"" << t.TFormat(s) << "\" \"" << t.ZFormat(s) << "\"\n";
  }
}

}  // namespace

int RunInfo(const std::vector<std::string>& args, Streams io) {
  const Options o = ParseOptions(args, {}, {"--json"});
  if (!o.error.empty() || o.positional.empty()) return usage(io, o.error.empty() ? "info needs a file" : o.error);
  int code = kExitOk;
  for (const std::string& path : o.positional) {
    clsVCATrace trace;
    if (!LoadPacket(path, trace, io)) {
      code = kExitFile;
      continue;
    }
    if (o.flags.count("--json")) io.out << infoJson(trace) << "\n";
    else printSummary(path, trace, io.out);
  }
  return code;
}

int RunResize(const std::vector<std::string>& args, Streams io) {
  const Options o = ParseOptions(args, {"--stretch", "--new-b", "-o"}, {});
  if (!o.error.empty()) return usage(io, o.error);
  const auto stretch = o.values.count("--stretch") ? IntArg(o.values.at("--stretch")) : std::nullopt;
  const auto newB = o.values.count("--new-b") ? NumberArg(o.values.at("--new-b")) : std::nullopt;
  if (o.positional.size() != 1 || !stretch || !newB) return usage(io, "resize needs FILE, --stretch MODE and --new-b MM");
  if (*newB < 0) return usage(io, "--new-b is a size: 0 or more millimetres");
  // From the file's own text, as ChangeFrameB rebuilds: a processed packet has had its line
  // ends normalised once already.
  const std::optional<std::string> packet = ReadInput(o.positional[0], io);
  if (!packet) return kExitFile;
  const auto rebuilt = RebuildWithNewB(*packet, *stretch, *newB);
  if (!rebuilt) {
    io.err << "lumora-trace: " << o.positional[0] << " holds no trace\n";
    return kExitFile;
  }
  if (!o.values.count("-o")) {
    io.out << *rebuilt;
    return kExitOk;
  }
  return WriteOutput(o.values.at("-o"), *rebuilt, io);
}

int RunDrills(const std::vector<std::string>& args, Streams io) {
  const Options o = ParseOptions(args, {"--side"}, {});
  const int side = o.values.count("--side") ? IntArg(o.values.at("--side")).value_or(-1) : -1;
  if (!o.error.empty() || o.positional.size() != 1 || (side != 0 && side != 1))
    return usage(io, o.error.empty() ? "drills needs FILE and --side 0 or 1" : o.error);
  clsVCATrace trace;
  if (!LoadPacket(o.positional[0], trace, io)) return kExitFile;
  std::vector<std::string> drill, c, b, e;
  const bool found = trace.GetDrillData(drill, side);
  const bool drilleFound = trace.GetDrilleData(c, b, e, side);
  io.out << ToJson(JsonObject{{"found", found}, {"drill", TextArray(drill)}, {"drilleFound", drilleFound},
                              {"drillsC", TextArray(c)}, {"drillsB", TextArray(b)}, {"drillsE", TextArray(e)}})
         << "\n";
  return kExitOk;
}

int RunLabel(const std::vector<std::string>& args, Streams io) {
  const Options o = ParseOptions(args, {"--side"}, {});
  const auto side = o.values.count("--side") ? IntArg(o.values.at("--side")) : std::optional<int>(0);
  if (!o.error.empty() || o.positional.size() != 2 || !side) return usage(io, o.error.empty() ? "label needs FILE and LABEL" : o.error);
  clsVCATrace trace;
  if (!LoadPacket(o.positional[0], trace, io)) return kExitFile;
  io.out << trace.VCALabelValue(o.positional[1], *side) << "\n";
  return kExitOk;
}

int RunGetAll(const std::vector<std::string>& args, Streams io) {
  const Options o = ParseOptions(args, {}, {});
  if (!o.error.empty() || o.positional.size() != 2) return usage(io, o.error.empty() ? "getall needs FILE and LABEL" : o.error);
  clsVCATrace trace;
  if (!LoadPacket(o.positional[0], trace, io)) return kExitFile;
  io.out << trace.VCALabelGetAll(o.positional[1]) << "\n";
  return kExitOk;
}

int RunMultiLine(const std::vector<std::string>& args, Streams io) {
  const Options o = ParseOptions(args, {}, {});
  const auto group = o.positional.size() == 3 ? IntArg(o.positional[2]) : std::nullopt;
  if (!o.error.empty() || !group) return usage(io, o.error.empty() ? "multiline needs FILE, LABEL and GROUP" : o.error);
  clsVCATrace trace;
  if (!LoadPacket(o.positional[0], trace, io)) return kExitFile;
  io.out << trace.VCALabelMultiLine(o.positional[1], *group) << "\n";
  return kExitOk;
}

namespace {

int dispatch(const std::string& command, const std::vector<std::string>& rest, Streams io) {
  if (command == "info") return RunInfo(rest, io);
  if (command == "resize") return RunResize(rest, io);
  if (command == "drills") return RunDrills(rest, io);
  if (command == "label") return RunLabel(rest, io);
  if (command == "getall") return RunGetAll(rest, io);
  if (command == "multiline") return RunMultiLine(rest, io);
  if (command == "render") return RunRender(rest, io);
  return usage(io, "unknown command " + command);
}

}  // namespace

// Output that never reached its destination (a full disk, a closed pipe) is no success.
int RunTool(const std::vector<std::string>& args, Streams io) {
  if (args.empty()) return usage(io, "");
  const int code = dispatch(args[0], {args.begin() + 1, args.end()}, io);
  if (io.out.flush() || code != kExitOk) return code;
  io.err << "lumora-trace: cannot write the standard output\n";
  return kExitFile;
}

}  // namespace lumora::tool
