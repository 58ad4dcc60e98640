// Reading record values out of a received packet, with the lookup rules tracers rely on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// The value after `CMD` on the first line of `OmaPacket` (split at LF) that contains it,
// exact case and anywhere in the line (so "JOB=" also matches the end of a longer label).
// NUL and code 255 become blanks, then blanks are trimmed at both ends. "" when no line has it.
std::string OMAparse(std::string_view CMD, std::string_view OmaPacket);

// The value of the first record carrying `label`, double quotes removed; "" when none.
// Side effects that later steps rely on: every CR of `packet` becomes LF, and when
// `packetLines` holds fewer than two entries it is set to the packet's lines. The presence
// test is case-blind but the line search is exact-case on the upper-cased label, so a
// lower-case "job=" is found by neither. When the label is absent nothing but the CR
// replacement happens.
std::string ValueFromLabel(std::string_view label, std::string& packet,
                           std::vector<std::string>& packetLines);

}  // namespace lumora
