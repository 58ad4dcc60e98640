#include "render.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>

#include <QByteArray>

#include "options.h"
#include "base/core/ascii_text.h"
#include "trace/core/trace_record.h"
#include "view/qt/drawing_files.h"

namespace lumora::tool {
namespace {

constexpr double kDefaultPxPerMm = 10;
constexpr double kSmallestPxPerMm = 0.1;  // a 20 mm drawing is still 2 pixels wide
constexpr double kLargestPxPerMm = 20;    // keeps the image within 5000 x 5000 pixels
constexpr double kMarginMm = 5;           // around the largest radius
constexpr double kSmallestSideMm = 20, kLargestSideMm = 250;

// The format an output file's extension (any case) asks for.
std::optional<DrawingFormat> formatOf(const std::string& path) {
  const std::string extension = asciiUpper(path.substr(path.size() - std::min<std::size_t>(path.size(), 4)));
  if (extension == ".PNG") return DrawingFormat::Png;
  if (extension == ".SVG") return DrawingFormat::Svg;
  return std::nullopt;
}

// The square surface's side (mm): the whole outline with a margin, within sane bounds.
double surfaceSideMm(const std::vector<double>& radii) {
  double largest = 0;  // mm
  for (double r : radii) largest = std::max(largest, std::fabs(r) / 100);
  return std::clamp(2 * (std::ceil(largest) + kMarginMm), kSmallestSideMm, kLargestSideMm);
}

struct RenderRequest {
  std::string file, out;
  DrawingFormat format = DrawingFormat::Png;
  Side side = Side::Right;
  double pxPerMm = kDefaultPxPerMm;
};

// The request, or why the arguments do not fit.
Result<RenderRequest> parse(const std::vector<std::string>& args) {
  const Options o = parseOptions(args, {"--side", "-o", "--scale"}, {});
  const auto side = o.values.count("--side") ? sideArg(o.values.at("--side")) : Side::Right;
  const auto scale = o.values.count("--scale") ? numberArg(o.values.at("--scale")) : kDefaultPxPerMm;
  if (!o.error.empty()) return Problem{o.error};
  if (o.positional.size() != 1 || !o.values.count("-o")) return Problem{"render needs FILE and -o OUT.png or OUT.svg"};
  if (!formatOf(o.values.at("-o"))) return Problem{"render writes only .png and .svg files"};
  if (!side) return Problem{"--side must be 0 or 1"};
  if (!scale || *scale < kSmallestPxPerMm || *scale > kLargestPxPerMm)
    return Problem{"--scale must be 0.1 to 20 pixels per millimetre"};
  return RenderRequest{o.positional[0], o.values.at("-o"), *formatOf(o.values.at("-o")), *side, *scale};
}

}  // namespace

// The tool draws with the calibration factors at 1: an image's millimetres are true ones.
int runRender(const std::vector<std::string>& args, Streams io) {
  const Result<RenderRequest> request = parse(args);
  if (!request) {
    io.err << "lumora-trace: " << request.problem().text << "\n"
           << "usage: lumora-trace render FILE [--side N] -o OUT.png|OUT.svg [--scale PX_PER_MM]\n";
    return kExitUsage;
  }
  const RenderRequest& r = *request;
  const std::optional<TraceRecord> trace = loadPacket(r.file, io);
  if (!trace) return kExitFile;
  const std::vector<double> radii = trace->radii(r.side, Orientation::AsTraced);
  if (radii.size() < kMinimumDrawnRadii) {
    io.err << "lumora-trace: " << r.file << " holds no outline for side " << static_cast<int>(r.side) << "\n";
    return kExitFile;
  }
  const int pixels = std::max(1, static_cast<int>(std::lround(surfaceSideMm(radii) * r.pxPerMm)));
  MillimetreSurface surface = surfaceForImage(pixels, pixels, r.pxPerMm);
  trace->draw(surface, r.side, ScreenCalibration{});
  const Result<QByteArray> bytes = drawingFileBytes(surface, r.format, r.pxPerMm);
  if (!bytes) {
    io.err << "lumora-trace: cannot draw " << r.file << "\n";
    return kExitFile;
  }
  return writeOutput(r.out, std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())), io);
}

}  // namespace lumora::tool
