// Box size, circumference and effective diameter of an outline from its equiangular radii.
#pragma once

#include <vector>

#include "trace/core/outline_walk.h"
#include "trace/core/side.h"

namespace lumora {

// Millimetres; the angle of the effective diameter in degrees, 0 up to 180.
struct OutlineMeasurement {
  double boxWidth = 0, boxHeight = 0, circumference = 0, effectiveDiameter = 0, effectiveDiameterAngle = 0;
};

// Measures `side`'s outline from its radii (hundredths of a mm, radius i at 360 x i / n
// degrees), `directions` made for as many radii; each result rounded to 2 decimals, the angle
// to 1, halves to even. The effective diameter is twice the first largest radius, its angle
// that radius's. No radii measure 0.
OutlineMeasurement measureOutline(const std::vector<double>& radii, Side side, const detail::Directions& directions);

}  // namespace lumora
