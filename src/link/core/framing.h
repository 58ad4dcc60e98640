// CRC-16/XMODEM, outgoing packet framing and the tests applied to incoming bursts.
// Texts are byte strings: one character per byte on the line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// CRC-16/XMODEM (polynomial 0x1021, initial 0, no reflection, no final XOR) of the bytes.
// "123456789" gives 12739; an empty text gives 0.
std::uint16_t crc16(std::string_view text);

// One record of an outgoing packet: label with its "=", and value.
struct Record {
  std::string label;
  std::string value;
};

// FS, each record followed by CR LF, RS, then (when `withCrc`) "CRC=", the CRC of the
// records and the RS in decimal and CR LF, and GS: the exact bytes to write.
std::string framePacket(const std::vector<Record>& records, bool withCrc);

// A burst holds a complete packet when it starts with FS and contains both GS and RS.
bool isCompletePacket(std::string_view burst);

// True when the text holds one of the request markers "REQ=", "ANS=", "INI=" (each also
// with a blank before the "="), exact case.
bool hasRequestMarker(std::string_view burst);

// True when the packet (starting at its FS) opens with a request the link answers ("REQ=TRC",
// "REQ=INI" ...; blanks aside, exact case, as requests are read): a tracer asking anew.
// Anything else there, "REQ=FIL" or "REQ=fil" included, is trace data.
bool opensWithRequest(std::string_view packet);

// Where a trace body starts in what arrived up to its GS: at the last FS that opens a packet
// ("ANS=" or "REQ=", blanks aside), since a tracer that lost its GS sends the whole packet
// again; failing that, at the first FS. Any other FS is line noise. npos without an FS.
std::size_t bodyStart(std::string_view received);

enum class CrcCheck { Absent, Good, Bad };

// Checks the first "CRC=" record of an incoming packet (an RS followed by "CRC=", blanks
// allowed around "CRC" and "="). Tracers cover the bytes after the packet's FS through that
// RS, as this link does for its own packets, or stop just before the RS: either span is
// Good, so that neither kind of tracer is refused every request. A missing, non-numeric or
// out-of-range number counts as Bad. The FS is the last one before that RS.
CrcCheck checkIncomingCrc(std::string_view packet);
// The same, with the span starting after the packet's first byte (its FS): a stray FS
// inside a trace body is covered, so it cannot shorten what the CRC vouches for.
CrcCheck checkBodyCrc(std::string_view packet);

}  // namespace lumora
