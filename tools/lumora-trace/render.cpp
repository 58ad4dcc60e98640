#include "render.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>

#include <QByteArray>
#include <QGuiApplication>
#include <memory>

#include "options.h"
#include "base/core/ascii_text.h"
#include "trace/core/trace_record.h"
#include "view/core/trace_sheet.h"
#include "view/qt/drawing_files.h"
#include "view/qt/trace_sheet_printing.h"

namespace lumora::tool {
namespace {

constexpr double kDefaultPxPerMm = 10;
constexpr double kSmallestPxPerMm = 0.1;  // a 20 mm drawing is still 2 pixels wide
constexpr double kLargestPxPerMm = 20;    // keeps the image within 5000 x 5000 pixels

// A PNG or SVG holds the drawing alone; a PDF is the printed page with its numbers.
enum class Output { Png, Svg, Pdf };

// The output an output file's extension (any case) asks for.
std::optional<Output> outputOf(const std::string& path) {
  const std::string extension = asciiUpper(path.substr(path.size() - std::min<std::size_t>(path.size(), 4)));
  if (extension == ".PNG") return Output::Png;
  if (extension == ".SVG") return Output::Svg;
  if (extension == ".PDF") return Output::Pdf;
  return std::nullopt;
}

struct RenderRequest {
  std::string file, out;
  Output output = Output::Png;
  Side side = Side::Right;
  double pxPerMm = kDefaultPxPerMm;
};

// The request, or why the arguments do not fit.
Result<RenderRequest> parse(const std::vector<std::string>& args) {
  const Options o = parseOptions(args, {"--side", "-o", "--scale"}, {});
  const auto side = o.values.count("--side") ? sideArg(o.values.at("--side")) : Side::Right;
  const auto scale = o.values.count("--scale") ? numberArg(o.values.at("--scale")) : kDefaultPxPerMm;
  if (!o.error.empty()) return Problem{o.error};
  if (o.positional.size() != 1 || !o.values.count("-o")) return Problem{"render needs FILE and -o OUT.png, OUT.svg or OUT.pdf"};
  if (!outputOf(o.values.at("-o"))) return Problem{"render writes only .png, .svg and .pdf files"};
  if (!side) return Problem{"--side must be 0 or 1"};
  if (!scale || *scale < kSmallestPxPerMm || *scale > kLargestPxPerMm)
    return Problem{"--scale must be 0.1 to 20 pixels per millimetre"};
  return RenderRequest{o.positional[0], o.values.at("-o"), *outputOf(o.values.at("-o")), *side, *scale};
}

// The drawing at the requested scale, as the picture draws it with the calibration at 1, so
// that an image's millimetres are true ones.
Result<QByteArray> drawingBytes(const TraceRecord& trace, const RenderRequest& r) {
  const double side = outlineSquareMm(trace.radii(r.side, Orientation::AsTraced));
  const int pixels = std::max(1, static_cast<int>(std::lround(side * r.pxPerMm)));
  MillimetreSurface surface = surfaceForImage(pixels, pixels, r.pxPerMm);
  trace.draw(surface, r.side, ScreenCalibration{});
  return drawingFileBytes(surface, r.output == Output::Png ? DrawingFormat::Png : DrawingFormat::Svg, r.pxPerMm);
}

// Text on a page needs the font database, which only a GUI application has. The tool draws
// offscreen and never on a display, so it needs no display to run.
class OffscreenFonts {
 public:
  OffscreenFonts() {
    if (QCoreApplication::instance() == nullptr) app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }

 private:
  char name_[13] = "lumora-trace", option_[10] = "-platform", platform_[10] = "offscreen";
  int argc_ = 3;
  char* argv_[4] = {name_, option_, platform_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

}  // namespace

int runRender(const std::vector<std::string>& args, Streams io) {
  const Result<RenderRequest> request = parse(args);
  if (!request) {
    io.err << "lumora-trace: " << request.problem().text << "\n"
           << "usage: lumora-trace render FILE [--side N] -o OUT.png|OUT.svg|OUT.pdf [--scale PX_PER_MM]\n";
    return kExitUsage;
  }
  const RenderRequest& r = *request;
  std::optional<TraceRecord> trace = loadPacket(r.file, io);
  if (!trace) return kExitFile;
  if (trace->radii(r.side, Orientation::AsTraced).size() < kMinimumDrawnRadii) {
    io.err << "lumora-trace: " << r.file << " holds no outline for side " << static_cast<int>(r.side) << "\n";
    return kExitFile;
  }
  const SheetHeading heading{trace->labelText("JOB="), todaysSheetDate()};
  std::optional<OffscreenFonts> fonts;
  if (r.output == Output::Pdf) fonts.emplace();
  const Result<QByteArray> bytes = r.output == Output::Pdf ? traceSheetPdf(*trace, r.side, heading) : drawingBytes(*trace, r);
  if (!bytes) {
    io.err << "lumora-trace: cannot draw " << r.file << ": " << bytes.problem().text << "\n";
    return kExitFile;
  }
  return writeOutput(r.out, std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())), io);
}

}  // namespace lumora::tool
