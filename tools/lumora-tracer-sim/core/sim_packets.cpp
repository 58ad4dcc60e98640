#include "core/sim_packets.h"

#include "link/core/control_chars.h"
#include "link/core/framing.h"

namespace lumora::sim {
namespace {

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      if (!line.empty()) lines.push_back(std::move(line));
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

Record recordOf(const std::string& line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string::npos) return {line, ""};
  return {line.substr(0, eq + 1), line.substr(eq + 1)};
}

// The trace's lines, the first one "REQ=FIL" (put in front when the file has neither it nor
// an "ANS=" line there).
std::vector<std::string> traceFileLines(std::string_view traceFile) {
  std::vector<std::string> lines = splitLines(traceFile);
  if (lines.empty() || (lines.front() != "REQ=FIL" && lines.front().rfind("ANS=", 0) != 0))
    lines.insert(lines.begin(), "REQ=FIL");
  return lines;
}

}  // namespace

std::string initRequest(bool crc) { return framePacket({{"REQ=", "INI"}}, crc); }

std::string traceRequest(const RequestOptions& options) {
  const std::string quote = options.quoteJob ? "\"" : "";
  std::vector<Record> records{
      {"REQ=", "TRC"}, {"JOB=", quote + options.job + quote}, {"VEN=", options.vendor}};
  for (const std::string& format : options.formats) records.push_back({"TRCFMT=", format});
  if (options.zfmt)
    for (const std::string& format : options.formats) records.push_back({"ZFMT=", format});
  return framePacket(records, options.crc);
}

std::string traceBody(std::string_view traceFile, bool crc) {
  std::vector<Record> records;
  for (const std::string& line : traceFileLines(traceFile)) records.push_back(recordOf(line));
  records.front() = {"ANS=", "TRC"};
  return framePacket(records, crc);
}

std::string_view kindName(Reply::Kind kind) {
  switch (kind) {
    case Reply::Kind::Ack: return "ACK";
    case Reply::Kind::Nak: return "NAK";
    case Reply::Kind::Packet: return "packet";
    case Reply::Kind::Stray: return "stray";
  }
  return "stray";
}

std::vector<Reply> ReplyReader::feed(std::string_view bytes) {
  std::vector<Reply> replies;
  for (char c : bytes) {
    if (inPacket_) {
      packet_ += c;
      if (c == kGs) {
        replies.push_back({Reply::Kind::Packet, std::move(packet_)});
        packet_.clear();
        inPacket_ = false;
      }
    } else if (c == kFs) {
      inPacket_ = true;
      packet_.assign(1, c);
    } else if (c == kAck) {
      replies.push_back({Reply::Kind::Ack, std::string(1, c)});
    } else if (c == kNak) {
      replies.push_back({Reply::Kind::Nak, std::string(1, c)});
    } else if (!replies.empty() && replies.back().kind == Reply::Kind::Stray) {
      replies.back().bytes += c;
    } else {
      replies.push_back({Reply::Kind::Stray, std::string(1, c)});
    }
  }
  return replies;
}

std::optional<std::string> recordValue(std::string_view packet, std::string_view label) {
  std::size_t at = 0;
  while (at < packet.size()) {
    const std::size_t end = std::min(packet.find_first_of("\r\n", at), packet.size());
    std::string_view line = packet.substr(at, end - at);
    if (!line.empty() && line.front() == kFs) line.remove_prefix(1);
    if (line.substr(0, label.size()) == label) return std::string(line.substr(label.size()));
    at = end + 1;
  }
  return std::nullopt;
}

}  // namespace lumora::sim
