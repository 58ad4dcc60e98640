// The tracer's side of the link, as bytes: its requests, its trace body, and the host's
// replies split out of what comes back. No I/O.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::sim {

struct RequestOptions {
  std::string vendor = "CORVANE";                   // the "VEN=" value
  std::string job = "1";                            // the "JOB=" value
  bool quoteJob = false;                            // write the job as "JOB=" quote job quote
  std::vector<std::string> formats{"1;400;E;R;F"};  // one "TRCFMT=" line each
  bool zfmt = false;                                // also one "ZFMT=" line per offered format
  bool crc = false;                                 // close each packet with a "CRC=" record
};

// FS "REQ=INI" RS [CRC] GS.
std::string initRequest(bool crc);

// FS "REQ=TRC", "JOB=", "VEN=", the "TRCFMT=" (and "ZFMT=") lines, RS [CRC] GS.
std::string traceRequest(const RequestOptions& options);

// The body the tracer sends for a stored trace file: its lines (CR LF, CR or LF ends) as
// records, a leading "REQ=FIL" line sent back as "ANS=TRC" (the host stores it as
// "REQ=FIL" again), "ANS=TRC" put in front when the file has neither. Empty lines are left
// out; a line without "=" is sent as it stands.
std::string traceBody(std::string_view traceFile, bool crc);

// Line noise: nothing about half the time, else 1 to 24 random bytes, never an RS (so noise
// alone never makes a packet that could pass for a body).
template <typename Random>
std::string lineNoise(Random& random) {
  std::string bytes;
  if (random() % 2 == 0) return bytes;
  for (auto n = 1 + random() % 24; n > 0; --n) {
    const auto byte = static_cast<char>(random() % 256);
    bytes += byte == '\x1e' ? '\x1d' : byte;
  }
  return bytes;
}

struct Reply {
  enum class Kind { Ack, Nak, Packet, Stray };
  Kind kind = Kind::Stray;
  std::string bytes;  // the packet FS ... GS, or the stray bytes
};

std::string_view kindName(Reply::Kind kind);

// Splits the host's bytes into single ACK/NAK characters and packets; a packet may arrive
// in pieces. Bytes outside a packet that are neither ACK nor NAK come out as Stray.
class ReplyReader {
 public:
  std::vector<Reply> feed(std::string_view bytes);

 private:
  std::string packet_;  // an unfinished packet, from its FS
  bool inPacket_ = false;
};

// The value of the first record `label` (with its "=") in a packet, quotes kept; nothing
// when the packet has no such record. Records end at CR or LF.
std::optional<std::string> recordValue(std::string_view packet, std::string_view label);

}  // namespace lumora::sim
