// Reading a line of whole numbers above 0 ("2655;2650;2648"), the bulk of every packet, in
// one go. Each reader appends the line's numbers and returns its LF, or returns nullptr,
// having appended nothing, for a line of any other kind or one it cannot read in one go.
// No reader reads past `blockEnd`.
#pragma once

#include <vector>

namespace lumora::detail {

using NumberLineReader = const char* (*)(std::vector<double>& numbers, const char* fields, const char* blockEnd);

// 64 bytes at a time with SSE2, which every x86-64 has; fields of up to eight digits.
// Elsewhere it reads no line.
const char* ReadNumberLine64(std::vector<double>& numbers, const char* fields, const char* blockEnd);

// A line of up to 16 fields of up to four digits whose LF lies within 64 bytes of its
// start, all at once with AVX-512; only where WideInstructions().
const char* ReadShortNumberLine(std::vector<double>& numbers, const char* fields, const char* blockEnd);

// The fastest reader the processor allows first, then the next.
const char* ReadNumberLine(std::vector<double>& numbers, const char* fields, const char* blockEnd);

}  // namespace lumora::detail
