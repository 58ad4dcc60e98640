// Drill records ("DRILL=", "DRILLE=") of one eye, picked out of a packet text as upper-case
// record lines. Side 0 is the right eye ("R"), side 1 the left eye ("L"); "B" in a record
// stands for both eyes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumora::detail {

// The packet upper-cased, CR LF and then lone CR turned into LF, split at LF.
std::vector<std::string> DrillRecordLines(std::string_view packet);

// The both-eye record turned into the left eye's: fields 2 and 5 (the horizontal
// coordinates, mm) negated and printed "####.00", every other field kept as written.
// A record that is empty or has no ";" gives an empty text.
std::string MirrorDrillRecord(std::string_view record);

// Appends the "DRILL=" lines of `side` (and those for both eyes) to `lines`. False, and
// `lines` untouched, when the packet as written holds no "DRILL=" or `side` is not 0 or 1.
bool CollectDrillLines(std::string_view packet, int side, std::vector<std::string>& lines);

// Sorts the "DRILLE=" lines of `side` into the lists of reference letter C, B and E (a line
// may land in more than one); both-eye records come back as the side's own, mirrored for
// the left eye. True when the packet holds any "DRILLE=" record; false, and the lists
// untouched, when it holds none or `side` is not 0 or 1.
bool CollectDrilleLines(std::string_view packet, int side, std::vector<std::string>& drillsC,
                        std::vector<std::string>& drillsB, std::vector<std::string>& drillsE);

}  // namespace lumora::detail
