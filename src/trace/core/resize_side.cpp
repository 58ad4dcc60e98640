#include "trace/core/resize_side.h"

#include <cmath>
#include <string_view>

#include "base/core/number_text.h"
#include "trace/core/resize_geometry.h"

namespace lumora::detail {
namespace {

// Angle of radius i of n, in radians by the resizing's own factor.
double rayAngle(std::size_t i, std::size_t n) {
  return (360.0 / static_cast<double>(n)) * static_cast<double>(i) * kResizeDegToRad;
}

// Re-samples the outline along n equiangular 100 mm rays. A ray that the intersection rule
// misses on every edge takes the exact crossing instead, so a nearly flat edge cannot turn
// into a spike to the centre; a ray that meets no edge at all stays at the origin.
void Resample(const std::vector<double>& X, const std::vector<double>& Y,
              std::vector<double>& newX, std::vector<double>& newY) {
  const std::size_t n = X.size();
  newX.assign(n, 0.0);
  newY.assign(n, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    const double a = rayAngle(i, n);
    const TracePoint rayEnd{100 * std::cos(a), 100 * std::sin(a)};
    std::optional<TracePoint> hit = RuleHit(rayEnd, X, Y);
    if (!hit) hit = ExactHit(rayEnd, X, Y);
    if (hit) {
      newX[i] = hit->X;
      newY[i] = hit->Y;
    }
  }
}

struct Accumulators {
  double largest = 0, largestAngle = 0, circumference = 0;
  double maxX = 0, minX = 0, maxY = 0, minY = 0;
};

// New radius texts (whole hundredths, empty for 0) and the box records of the re-sampled
// outline.
ResizedSide Measure(const std::vector<double>& newX, const std::vector<double>& newY) {
  const std::size_t n = newX.size();
  std::vector<std::string> radii(n);
  Accumulators acc;
  const TracePoint origin{0, 0};
  for (std::size_t i = 0; i < n; ++i) {
    const TracePoint p{newX[i], newY[i]};
    radii[i] = formatNumber(PointDistance(origin, p) * 100, "########");
    const double v = value(radii[i]) / 100;
    if (v > acc.largest) {
      acc.largest = roundHalfEven(v, 2);
      acc.largestAngle = 360.0 * static_cast<double>(i) / static_cast<double>(n);
    }
    if (p.X > acc.maxX) acc.maxX = p.X;
    if (p.X < acc.minX) acc.minX = p.X;
    if (p.Y > acc.maxY) acc.maxY = p.Y;
    if (p.Y < acc.minY) acc.minY = p.Y;
    const std::size_t k = (i + 1 == n) ? 0 : i + 1;
    acc.circumference += roundHalfEven(PointDistance(p, {newX[k], newY[k]}), 2);
  }
  ResizedSide out;
  out.hbox = formatNumber(acc.maxX - acc.minX, "######.00");
  out.vbox = formatNumber(acc.maxY - acc.minY, "#####.00");
  out.fed = formatNumber(2 * acc.largest, "#####.00");
  out.fedax = formatNumber(roundToWhole(360 - acc.largestAngle) % 180, "####0.00");
  out.circ = formatNumber(acc.circumference, "#####.00");
  out.radiusLines = FormatRadiusLines("R=", radii, "\n");
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
std::optional<std::string> boxRecord(std::string_view label,
                                     const std::array<std::optional<ResizedSide>, 2>& sides) {
  std::string ResizedSide::*field = nullptr;
  if (label == "HBOX=") field = &ResizedSide::hbox;
  else if (label == "VBOX=") field = &ResizedSide::vbox;
  else if (label == "CIRC=") field = &ResizedSide::circ;
  else if (label == "FED=") field = &ResizedSide::fed;
  else if (label == "FEDAX=") field = &ResizedSide::fedax;
  if (!field) return std::nullopt;
  return std::string(label) + resultOf(sides[0], field) + ";" + resultOf(sides[1], field);
}

}  // namespace

void OutlineFromRadii(const std::vector<std::string>& radii, std::vector<double>& X,
                      std::vector<double>& Y) {
  const std::size_t n = radii.size();
  X.assign(n, 0.0);
  Y.assign(n, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    const double a = rayAngle(i, n);
    const double r = value(radii[i]) / 100;
    X[i] = r * std::cos(a);
    Y[i] = r * std::sin(a);
  }
}

void StretchLowerHalf(std::vector<double>& Y, double measuredB, double newB) {
  const double half = measuredB / 2;
  const double dB = newB - measuredB;
  std::vector<double> stretched = Y;
  for (double& y : stretched) {
    if (y < 0) y = y + y / half * dB;
    if (!std::isfinite(y)) return;  // a zero B, or a stretch beyond any number: unstretched
  }
  Y = std::move(stretched);
}

ResizedSide ResizeSide(const std::vector<std::string>& radii, double measuredB, int stretchMode,
                       double newB) {
  std::vector<double> X, Y, newX, newY;
  OutlineFromRadii(radii, X, Y);
  if (stretchMode == 1) StretchLowerHalf(Y, measuredB, newB);
  CenterOnBox(X, Y);
  Resample(X, Y, newX, newY);
  CenterOnBox(newX, newY);
  return Measure(newX, newY);
}

std::string RebuildPacketText(const std::string& packet,
                              const std::array<std::optional<ResizedSide>, 2>& sides) {
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
        const auto& side = sides[piece.find(";L;") != std::string_view::npos ? 1 : 0];
        out += '\n';
        if (side) out += side->radiusLines;
      }
    }
    out += '\n';
  }
  return out;
}

}  // namespace lumora::detail
