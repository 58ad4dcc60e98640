// The texts the link shows: time-stamped equipment lines, the order label, the raw-data
// list's job line, the status label, and the job number's numeric reference.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// `stamp` (the local date and time as the system writes it: short date, blank, long time),
// " COM:", the port number, a blank, the event, ": " and `reference` in plain digits
// (0 gives nothing after ": ").
std::string equipmentLine(std::string_view stamp, int port, std::string_view event, std::int32_t reference);

// The leading number of the job number text as a whole number, halves to even;
// 0 when there is none or it does not fit in 32 bits.
std::int32_t jobReference(std::string_view job);

// The order label for the job number: "Order: ?" when the whole text reads as a number
// that rounds to zero or below, else "Order: " and the text. Nothing when the text does not
// read as a number at all (then the label keeps what it showed).
std::optional<std::string> orderLabel(std::string_view job);

// Rewrites the first raw-data line starting with "JOB" to "JOB=" quote job quote and
// returns its position; nothing when no line starts with "JOB".
std::optional<std::size_t> replaceJobLine(std::vector<std::string>& rawLines, std::string_view job,
                                          std::string_view quote);

// The activity line for input dropped at the buffer limit: `what` was dropped ("OMA Input
// Discarded"), with `why` after the limit ("bytes waiting").
std::string bufferLimitLine(std::string_view what, std::string_view why);

// Status label after a trace file was written under `name`.
std::string savedStatus(std::string_view name);
// Status label after a trace file could not be written under `name`.
std::string notSavedStatus(std::string_view name);

}  // namespace lumora
