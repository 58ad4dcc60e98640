// Line ends of record texts: CR LF and lone CRs made LF, and runs of LFs shortened, as label
// lookups do to the stored packet.
#pragma once

#include <string>
#include <string_view>

namespace lumora {

// CR LF, then any remaining CR, become LF.
std::string unifyLineEnds(std::string_view text);

// One normalising pass: unifyLineEnds, then each pair of LFs becomes one in one left-to-right
// pass over non-overlapping pairs (three LFs in a row leave two).
struct LineEndPass {
  bool changed = false;    // the text is not what it was
  bool pairsLeft = false;  // another pass would change it again
};
LineEndPass normaliseLineEndsInPlace(std::string& text);

// A text with its line ends unified, and what a label lookup would still find in it: two LFs
// in a row (to be shortened) and lower-case letters (to be upper-cased for the search).
struct UnifiedText {
  std::string text;
  bool lfPairs = false;
  bool lowerCase = false;
};
UnifiedText unifyAndSurvey(std::string_view text);

}  // namespace lumora
