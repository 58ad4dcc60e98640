#include "trace/core/resize_side.h"

#include <cmath>
#include <string_view>

#include "base/core/number_text.h"
#include "trace/core/degrees.h"

namespace lumora::detail {
namespace {

// Angle of radius i of n, in radians by the resizing's own factor.
double rayAngle(std::size_t i, std::size_t n) {
  return (360.0 / static_cast<double>(n)) * static_cast<double>(i) * kResizeDegToRad;
}

// Re-samples the outline along n equiangular 100 mm rays. A ray that the intersection rule
// misses on every edge takes the exact crossing instead, so a nearly flat edge cannot turn
// into a spike to the centre; a ray that meets no edge at all stays at the origin.
Outline resample(const Outline& outline) {
  const std::size_t n = outline.size();
  Outline out{std::vector<double>(n, 0.0), std::vector<double>(n, 0.0)};
  for (std::size_t i = 0; i < n; ++i) {
    const double a = rayAngle(i, n);
    const TracePoint rayEnd{100 * std::cos(a), 100 * std::sin(a)};
    std::optional<TracePoint> hit = ruleHit(rayEnd, outline);
    if (!hit) hit = exactHit(rayEnd, outline);
    if (hit) {
      out.x[i] = hit->x;
      out.y[i] = hit->y;
    }
  }
  return out;
}

struct Accumulators {
  double largest = 0, largestAngle = 0, circumference = 0;
  double maxX = 0, minX = 0, maxY = 0, minY = 0;
};

// New radius texts (whole hundredths, empty for 0) and the box records of the re-sampled
// outline.
ResizedSide measure(const Outline& outline) {
  const std::size_t n = outline.size();
  std::vector<std::string> radii(n);
  Accumulators acc;
  const TracePoint origin{0, 0};
  for (std::size_t i = 0; i < n; ++i) {
    const TracePoint p{outline.x[i], outline.y[i]};
    radii[i] = formatNumber(pointDistance(origin, p) * 100, "########");
    const double v = value(radii[i]) / 100;
    if (v > acc.largest) {
      acc.largest = roundHalfEven(v, 2);
      acc.largestAngle = 360.0 * static_cast<double>(i) / static_cast<double>(n);
    }
    if (p.x > acc.maxX) acc.maxX = p.x;
    if (p.x < acc.minX) acc.minX = p.x;
    if (p.y > acc.maxY) acc.maxY = p.y;
    if (p.y < acc.minY) acc.minY = p.y;
    const std::size_t k = (i + 1 == n) ? 0 : i + 1;
    acc.circumference += roundHalfEven(pointDistance(p, {outline.x[k], outline.y[k]}), 2);
  }
  ResizedSide out;
  out.hbox = formatNumber(acc.maxX - acc.minX, "######.00");
  out.vbox = formatNumber(acc.maxY - acc.minY, "#####.00");
  out.fed = formatNumber(2 * acc.largest, "#####.00");
  out.fedax = formatNumber(roundToWhole(360 - acc.largestAngle) % 180, "####0.00");
  out.circ = formatNumber(acc.circumference, "#####.00");
  out.radiusLines = formatRadiusLines(radii);
  return out;
}

std::string_view labelOf(std::string_view line) {
  const auto eq = line.find('=');
  return eq == std::string_view::npos ? std::string_view{} : line.substr(0, eq + 1);
}

std::string resultOf(const std::optional<ResizedSide>& side, std::string ResizedSide::*field) {
  return side ? (*side).*field : std::string("?");
}

// The replacement of a box record line, or nothing when `label` is not one of them.
std::optional<std::string> boxRecord(std::string_view label, const PerSide<std::optional<ResizedSide>>& sides) {
  std::string ResizedSide::*field = nullptr;
  if (label == "HBOX=") field = &ResizedSide::hbox;
  else if (label == "VBOX=") field = &ResizedSide::vbox;
  else if (label == "CIRC=") field = &ResizedSide::circ;
  else if (label == "FED=") field = &ResizedSide::fed;
  else if (label == "FEDAX=") field = &ResizedSide::fedax;
  if (!field) return std::nullopt;
  return std::string(label) + resultOf(sides[Side::Right], field) + ";" + resultOf(sides[Side::Left], field);
}

}  // namespace

Outline outlineFromRadii(const std::vector<double>& radii) {
  const std::size_t n = radii.size();
  Outline outline{std::vector<double>(n, 0.0), std::vector<double>(n, 0.0)};
  for (std::size_t i = 0; i < n; ++i) {
    const double a = rayAngle(i, n);
    const double r = radii[i] / 100;
    outline.x[i] = r * std::cos(a);
    outline.y[i] = r * std::sin(a);
  }
  return outline;
}

void stretchLowerHalf(Outline& outline, double measuredB, double newB) {
  const double half = measuredB / 2;
  const double dB = newB - measuredB;
  std::vector<double> stretched = outline.y;
  for (double& y : stretched) {
    if (y < 0) y = y + y / half * dB;
    if (!std::isfinite(y)) return;  // a zero B, or a stretch beyond any number: unstretched
  }
  outline.y = std::move(stretched);
}

ResizedSide resizeSide(const std::vector<double>& radii, double measuredB, Stretch stretch, double newB) {
  Outline outline = outlineFromRadii(radii);
  if (stretch == Stretch::LowerHalf) stretchLowerHalf(outline, measuredB, newB);
  centerOnBox(outline);
  Outline resampled = resample(outline);
  centerOnBox(resampled);
  return measure(resampled);
}

std::string rebuildPacketText(std::string_view packet, const PerSide<std::optional<ResizedSide>>& sides) {
  std::string out;
  out.reserve(packet.size() + 64);
  std::string_view rest = packet;
  for (bool last = false; !last;) {
    const auto lf = rest.find('\n');
    last = (lf == std::string_view::npos);
    const std::string_view piece = last ? rest : rest.substr(0, lf);
    if (!last) rest.remove_prefix(lf + 1);
    const std::string_view label = labelOf(piece);
    if (label == "R=") continue;
    if (auto record = boxRecord(label, sides)) {
      out += *record;
    } else {
      out += piece;
      if (label == "TRCFMT=") {
        const auto& side = sides[piece.find(";L;") != std::string_view::npos ? Side::Left : Side::Right];
        out += '\n';
        if (side) out += side->radiusLines;
      }
    }
    out += '\n';
  }
  return out;
}

}  // namespace lumora::detail
