// Where the holes of a trace's "DRILLE=" records lie, for drawing them at true size.
//
// A record's fields after the eye and the reference letter are the hole's start point (X, Y),
// its diameter, its end point (X, Y) and further drilling values: the horizontal coordinates
// are the second and fifth numbers, the ones a both-eye record negates for the left eye.
// Coordinates are millimetres in the eye's own orientation as traced, X to the right (angle 0),
// Y upward, from the point the reference letter names. Only "C", the centre the eye's radii
// are measured from, is a point of the trace; a hole measured from any other reference is not
// placed.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "trace/core/side.h"

namespace lumora {

class TraceRecord;

// A round hole has its end at its start; a slot runs from start to end.
struct DrillHole {
  double startX = 0, startY = 0, endX = 0, endY = 0, diameter = 0;  // mm
};

struct EyeDrillHoles {
  std::vector<DrillHole> placed;
  // Records of the eye that give no hole: another reference letter, or no number for the
  // start point or no positive diameter.
  std::size_t unplaced = 0;
};

// The holes of the eye's "DRILLE=" records (a both-eye record mirrored for the left eye).
EyeDrillHoles drillHoles(const TraceRecord& trace, Side side);

// The hole's rim: the points of a closed outline around the slot (a circle for a round
// hole), in the hole's coordinates.
std::vector<std::pair<double, double>> holeRim(const DrillHole& hole);

}  // namespace lumora
