// Control characters of the tracer link. Every packet is FS records RS [CRC record] GS;
// ACK and NAK travel alone, outside any packet.
#pragma once

#include <cstddef>

namespace lumora {

inline constexpr char kFs = '\x1c';
inline constexpr char kGs = '\x1d';
inline constexpr char kRs = '\x1e';
inline constexpr char kAck = '\x06';
inline constexpr char kNak = '\x15';
inline constexpr const char* kCrLf = "\r\n";

// No buffer of the link (a burst, a trace body, input held while the link waits) grows
// past this many bytes; more is dropped with an activity line.
inline constexpr std::size_t kMaxLinkBuffer = 1024 * 1024;

}  // namespace lumora
