// One walk round an outline given by equiangular radii (hundredths of a mm, the first at
// angle 0): its points in mm, their box, the steps from point to point summed in order back
// to the first, and the largest radius.
#pragma once

#include <cstddef>
#include <vector>

#include "trace/core/outline_box.h"

namespace lumora::detail {

struct OutlineWalk {
  OutlineBox box;
  double perimeter = 0;
  double largestRadius = 0;
};

// cos and sin of 360 x i / n degrees, i = 0 .. n - 1. Both eyes of a trace have the same
// number of radii as a rule, so one table serves a whole trace.
struct Directions {
  std::vector<double> cos, sin;
  std::size_t size() const { return cos.size(); }
};
Directions equiangularDirections(std::size_t n);

// `sign` mirrors X for the left eye. Needs at least one radius, and `directions` for as many.
OutlineWalk walkOutline(const std::vector<double>& radii, double sign, const Directions& directions);

}  // namespace lumora::detail
