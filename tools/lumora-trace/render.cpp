#include "render.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>

#include <QByteArray>

#include "options.h"
#include "base/core/number_text.h"
#include "base/core/shared_values.h"
#include "base/core/ascii_text.h"
#include "trace/core/vca_trace.h"
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
double surfaceSideMm(const std::vector<std::string_view>& radii) {
  double largest = 0;  // mm
  for (std::string_view r : radii) largest = std::max(largest, std::fabs(value(r)) / 100);
  return std::clamp(2 * (std::ceil(largest) + kMarginMm), kSmallestSideMm, kLargestSideMm);
}

struct RenderRequest {
  std::string File, Out;
  DrawingFormat Format = DrawingFormat::Png;
  int Side = 0;
  double PxPerMm = kDefaultPxPerMm;
};

// The request; nothing, with the reason in `problem`, when the arguments do not fit.
std::optional<RenderRequest> parse(const std::vector<std::string>& args, std::string& problem) {
  const Options o = ParseOptions(args, {"--side", "-o", "--scale"}, {});
  const auto side = o.values.count("--side") ? IntArg(o.values.at("--side")) : std::optional<int>(0);
  const auto scale = o.values.count("--scale") ? NumberArg(o.values.at("--scale")) : kDefaultPxPerMm;
  if (!o.error.empty()) problem = o.error;
  else if (o.positional.size() != 1 || !o.values.count("-o")) problem = "render needs FILE and -o OUT.png or OUT.svg";
  else if (!formatOf(o.values.at("-o"))) problem = "render writes only .png and .svg files";
  else if (!side || (*side != 0 && *side != 1)) problem = "--side must be 0 or 1";
  else if (!scale || *scale < kSmallestPxPerMm || *scale > kLargestPxPerMm) problem = "--scale must be 0.1 to 20 pixels per millimetre";
  if (!problem.empty()) return std::nullopt;
  return RenderRequest{o.positional[0], o.values.at("-o"), *formatOf(o.values.at("-o")), *side, *scale};
}

}  // namespace

// The tool draws with the calibration factors at 1: an image's millimetres are true ones.
int RunRender(const std::vector<std::string>& args, Streams io) {
  std::string problem;
  const std::optional<RenderRequest> request = parse(args, problem);
  if (!request) {
    io.err << "lumora-trace: " << problem << "\n"
           << "usage: lumora-trace render FILE [--side N] -o OUT.png|OUT.svg [--scale PX_PER_MM]\n";
    return kExitUsage;
  }
  const RenderRequest& r = *request;
  Shared().HBias = Shared().VBias = 1.0;
  clsVCATrace trace;
  if (!LoadPacket(r.File, trace, io)) return kExitFile;
  const std::string list = trace.VCA_RadianString(r.Side);
  const std::vector<std::string_view> radii = splitFields(list, ';');
  if (radii.size() < kMinimumDrawnRadii) {
    io.err << "lumora-trace: " << r.File << " holds no outline for side " << r.Side << "\n";
    return kExitFile;
  }
  const int pixels = std::max(1, static_cast<int>(std::lround(surfaceSideMm(radii) * r.PxPerMm)));
  MillimetreSurface surface = SurfaceForImage(pixels, pixels, r.PxPerMm);
  trace.DrawTrace(surface, r.Side);
  const QByteArray bytes = DrawingFileBytes(surface, r.Format, r.PxPerMm);
  if (bytes.isEmpty()) {
    io.err << "lumora-trace: cannot draw " << r.File << "\n";
    return kExitFile;
  }
  return WriteOutput(r.Out, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), io);
}

}  // namespace lumora::tool
