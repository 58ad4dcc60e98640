#include "view/core/trace_sheet.h"

#include <algorithm>
#include <cmath>

#include "view/core/dimension_labels.h"

namespace lumora {
namespace {

constexpr double kMarginMm = 5;  // around the largest radius
constexpr double kSmallestSquareMm = 20, kLargestSquareMm = 250;
constexpr double kLineMm = 6;      // between text baselines
constexpr double kGapMm = 8;       // between the texts, the outline and the bar
constexpr double kTickMm = 3;      // the bar's end and centimetre marks reach this far up
constexpr int kBarWidthPixels = 2;

std::vector<std::string> headingLines(const TraceRecord& trace, Side side, const SheetHeading& heading) {
  return {"Order: " + heading.job + "    " + (side == Side::Right ? "Right eye" : "Left eye"),
          dimensionLabel("A: ", trace.boxWidth(side)) + "    " + dimensionLabel("B: ", trace.boxHeight(side)) +
              "    " + dimensionLabel("ED: ", trace.effectiveDiameter(side)),
          dimensionLabel("Cir: ", trace.circumference(side)) + "    " +
              dimensionLabel("DBL: ", trace.distanceBetweenLenses()),
          "Date: " + heading.date};
}

// The outline as the picture draws it, on a square of its own, moved to `top` on the page.
void drawOutline(MillimetreSurface& page, const TraceRecord& trace, Side side, double squareMm, double top) {
  MillimetreSurface square(squareMm, squareMm);
  trace.draw(square, side, ScreenCalibration{});
  page.setScaleModeMillimetres();
  for (const DrawnLine& l : square.lines()) {
    page.setForeColour((l.colour >> 16) & 0xFF, (l.colour >> 8) & 0xFF, l.colour & 0xFF);
    page.setLineWidth(l.widthPixels);
    page.drawLine(l.x1, l.y1 + top, l.x2, l.y2 + top);
  }
}

// A black bar of kCheckBarMm with a tick at each centimetre, its left end at (0, y).
void drawCheckBar(MillimetreSurface& page, double y) {
  page.setForeColour(0, 0, 0);
  page.setLineWidth(kBarWidthPixels);
  page.drawLine(0, y, kCheckBarMm, y);
  for (double x = 0; x <= kCheckBarMm; x += 10) page.drawLine(x, y, x, y - kTickMm);
}

}  // namespace

double outlineSquareMm(const std::vector<double>& radii) {
  double largest = 0;  // mm
  for (double r : radii) largest = std::max(largest, std::fabs(r) / 100);
  return std::clamp(2 * (std::ceil(largest) + kMarginMm), kSmallestSquareMm, kLargestSquareMm);
}

Result<TraceSheet> layOutTraceSheet(const TraceRecord& trace, Side side, const SheetHeading& heading,
                                    double widthMm, double heightMm) {
  const std::vector<double> radii = trace.radii(side, Orientation::AsTraced);
  if (radii.size() < kMinimumDrawnRadii) return Problem{"the trace holds no outline for this eye"};
  const std::vector<std::string> lines = headingLines(trace, side, heading);
  const double square = outlineSquareMm(radii);
  const double outlineTop = static_cast<double>(lines.size()) * kLineMm + kGapMm / 2;
  const double barY = outlineTop + square + kGapMm + kTickMm;
  if (square > widthMm || barY + kLineMm > heightMm) return Problem{"the outline does not fit on the page at true size"};

  TraceSheet sheet{MillimetreSurface(widthMm, heightMm), {}};
  for (std::size_t i = 0; i < lines.size(); ++i) sheet.texts.push_back({0, kLineMm * static_cast<double>(i + 1), lines[i]});
  drawOutline(sheet.drawing, trace, side, square, outlineTop);
  drawCheckBar(sheet.drawing, barY);
  sheet.texts.push_back({0, barY + kLineMm, "The bar is 50 mm long: measure it to check the scale."});
  return sheet;
}

}  // namespace lumora
