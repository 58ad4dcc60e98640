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

// `sign` mirrors X for the left eye. The walkers take several points at a time where the
// processor allows: the same operations on each lane, the steps added in order, and the
// extremes kept per lane and combined at the end, so each gives the result of one at a time.
// Needs at least one radius.
OutlineWalk WalkOutline(const std::vector<double>& radii, double sign);
// Four points at a time; only where WideInstructions().
OutlineWalk WalkOutlineWide(const std::vector<double>& radii, double sign);

// A walker's extremes and largest radius, lane by lane, added to the walk's.
struct Lanes {
  double maxX[4], minX[4], maxY[4], minY[4], largest[4];
};
void AddLanes(const Lanes& lanes, std::size_t count, OutlineWalk& walk);

// Where a walker's lanes stop: the walk from point `next` on, one point at a time, after the
// point (lastX, lastY), and back to the first.
void FinishWalk(const std::vector<double>& radii, double sign, std::size_t next, double lastX, double lastY,
                OutlineWalk& walk);

}  // namespace lumora::detail
