// Conversion of data lists between the two eyes' orientations (mirror about the vertical axis).
#pragma once

#include <string>
#include <vector>

namespace lumora {

// Reorders a ";"-separated list so that field i lands at index (n/2 + 1 - 1 - i) mod n,
// n/2 + 1 rounded halves to even. A list of fewer than two fields becomes empty.
void MirrorList(std::string& list);

// The same reordering for numbers.
void MirrorValues(std::vector<double>& values);

// MirrorList on radii and Z; angles are also turned into 360 - ((angle + 180) mod 360) in
// whole degrees, printed "###.00".
void MirrorTraceData(std::string& radii, std::string& z, std::string& angles);

}  // namespace lumora
