// The rules of one trace upload that depend only on the texts: reading the request's
// records, which offered format is taken, which lines of a received body make the stored
// trace, and the stored file's bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// The vendor record value ("VEN=", trimmed and upper-cased) of the one brand served.
inline constexpr std::string_view kVendorCode = "CORVANE";

// The lines of a received packet: every CR counts as a line end, as LF does, so a CR LF
// pair leaves an empty line between.
std::vector<std::string> packetLines(std::string_view packet);

// The value after `label` on the first line that contains it, exact case and anywhere in
// the line (so "JOB=" also matches the end of a longer label, and "job=" is not found).
// NUL and code 255 become blanks, blanks are trimmed at both ends, then double quotes are
// removed. "" when no line has it.
std::string recordValue(const std::vector<std::string>& lines, std::string_view label);

// The text after "TRCFMT=" of the first request line that starts with "TRCFMT=" and offers
// format 1 with at least 400 points and a capital "E" anywhere on the line
// (for example "1;400;E;R;F"); nothing when no line qualifies.
std::optional<std::string> acceptedTraceFormat(const std::vector<std::string>& lines);

// The lines of a received trace body (FS ... GS): split at CR and LF, every character below
// code 32 removed, blanks trimmed at both ends, a line starting "ANS=" becomes "REQ=FIL",
// empty lines and "CRC=" lines left out.
std::vector<std::string> traceLinesFromBody(std::string_view body);

// Why what arrived up to a GS while the body was awaited is not a whole body, as the
// activity line that says so; nothing when it is one. `packet` runs from the FS the body
// starts at (bodyStart) through the GS, empty when there was no FS. A whole body is framed
// as a packet (FS first, RS before the GS, nothing after the RS but a CRC record), carries
// records after its opening one, and, when `crcRequired` (the tracer's request had one),
// a CRC record that matches the bytes after its FS.
std::optional<std::string> bodyRefusal(std::string_view packet, bool crcRequired);

// The trace file's exact bytes: each line followed by CR LF, nothing else.
std::string traceFileBytes(const std::vector<std::string>& lines);

}  // namespace lumora
