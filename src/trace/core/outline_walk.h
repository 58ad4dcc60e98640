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

// cos and sin of 360 x i / n degrees.
struct Directions {
  std::vector<double> cos, sin;
};
const Directions& EquiangularDirections(std::size_t n);

// `sign` mirrors X for the left eye. Needs at least one radius.
OutlineWalk WalkOutline(const std::vector<double>& radii, double sign);

}  // namespace lumora::detail
