// Conversion of data lists between the two eyes' orientations (mirror about the vertical axis).
#pragma once

#include <string>
#include <vector>

#include "trace/core/field_list.h"

namespace lumora {

// The fields reordered so that field i lands at index (n/2 + 1 - 1 - i) mod n, n/2 + 1
// rounded halves to even. A list of fewer than two fields gives an empty text.
std::string mirroredFields(const FieldList& list);
void mirrorList(std::string& list);

// The same reordering for numbers (fewer than two give none).
std::vector<double> mirroredValues(const std::vector<double>& values);

// The same reordering for angles (degrees), each turned into 360 - ((angle + 180) mod 360)
// in whole degrees and printed "###.00".
std::string mirroredAngles(const std::vector<double>& angles);

}  // namespace lumora
