// The rules of one trace upload that depend only on the texts: which offered format is
// taken, and which lines of a received body make the stored trace.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// The vendor record value ("VEN=", trimmed and upper-cased) of the one brand served.
inline constexpr std::string_view VendorCode = "CORVANE";

// The text after "TRCFMT=" of the first request line that starts with "TRCFMT=" and offers
// format 1 with at least 400 points and a capital "E" anywhere on the line
// (for example "1;400;E;R;F"); nothing when no line qualifies.
std::optional<std::string> AcceptedTraceFormat(const std::vector<std::string>& packetLines);

// The lines of a received trace body (FS ... GS): split at CR and LF, every character below
// code 32 removed, blanks trimmed at both ends, a line starting "ANS=" becomes "REQ=FIL",
// empty lines and "CRC=" lines left out.
std::vector<std::string> TraceLinesFromBody(std::string_view body);

}  // namespace lumora
