// The link engine under test: a fake clock in microseconds, tracer packets, and short
// builders for expected outputs. No file system: the tests answer the engine's stores.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "link/core/control_chars.h"
#include "link/core/framing.h"
#include "link/core/link_engine.h"

namespace lumora {

inline void PrintTo(const Output& output, std::ostream* os) { *os << describe(output); }

namespace linktest {

using Lines = std::vector<std::string>;
using State = LinkEngine::State;

// A tracer packet as tracers write it: FS, each record and CR LF, RS, an optional CRC
// record over records and RS, GS.
inline std::string tracerPacket(const Lines& records, bool withCrc = false) {
  std::string covered;
  for (const std::string& r : records) covered += r + "\r\n";
  covered += kRs;
  const std::string crc = withCrc ? "CRC=" + std::to_string(crc16(covered)) + "\r\n" : "";
  return kFs + covered + crc + kGs;
}

inline std::string trcRequest(const std::string& job = "12345", const std::string& vendor = "CORVANE",
                       const Lines& formats = {"TRCFMT=1;400;E;R;F", "TRCFMT=1;400;E;L;F"}, bool withCrc = false) {
  Lines records{"REQ=TRC", "JOB=" + job, "VEN=" + vendor};
  records.insert(records.end(), formats.begin(), formats.end());
  return tracerPacket(records, withCrc);
}

inline std::string traceBody(const std::string& job = "12345", bool withCrc = false) {
  return tracerPacket({"ANS=TRC", "JOB=" + job, "TRCFMT=1;400;E;R;F", "R=2500;2510;2520"}, withCrc);
}

inline Output make(OutputKind kind, std::string text = {}) { return {kind, std::move(text), {}, {}, 0}; }
inline Output write(std::string bytes) { return make(OutputKind::Write, std::move(bytes)); }
inline Output activity(std::string line) { return make(OutputKind::Activity, std::move(line)); }
inline Output withFolder(OutputKind kind, std::string folder) { return {kind, {}, {}, std::move(folder), 0}; }
inline const Output kAckOut = write(std::string(1, kAck));
inline const Output kNakOut = write(std::string(1, kNak));
inline Outputs operator+(Outputs a, const Outputs& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
// The outputs but UploadEnded, which upload_end_test.cpp checks.
inline Outputs withoutEnds(Outputs out) {
  std::erase_if(out, [](const Output& o) { return o.kind == OutputKind::UploadEnded; });
  return out;
}
// The last output; a Write of nothing when there is none.
inline Output last(const Outputs& out) { return out.empty() ? Output{} : out.back(); }
// The texts of the outputs of one kind, in order.
inline Lines texts(const Outputs& out, OutputKind kind) {
  Lines found;
  for (const Output& o : out)
    if (o.kind == kind) found.push_back(o.text);
  return found;
}

// The engine on port 1 with a fake clock. The local time stamp carries the clock reading,
// so equipment lines show when they were made.
class LinkTest : public ::testing::Test {
 protected:
  Instant now() const { return {micros, "06.12.2026 @" + std::to_string(micros)}; }
  Outputs seen(Outputs out) const { return keepEnds ? out : withoutEnds(std::move(out)); }
  Outputs send(std::string_view bytes) { return seen(link.receive(bytes, now())); }
  Outputs wait(std::int64_t us) {
    micros += us;
    return seen(link.expire(now()));
  }
  // Sends one packet and lets its burst end (0.25 s of silence and one microsecond).
  Outputs request(const std::string& packet) {
    Outputs out = send(packet);
    return out + wait(kBurstSilenceMicros + 1);
  }
  // What `burst` causes on a fresh link once its silence has passed.
  Outputs alone(const std::string& burst) {
    LinkEngine fresh{1, false};
    Outputs out = fresh.receive(burst, now());
    return seen(out + fresh.expire({micros + kBurstSilenceMicros + 1, ""}));
  }
  Outputs stored(std::optional<Problem> problem = std::nullopt) { return seen(link.storeFinished(problem, now())); }

  bool keepEnds = false;
  std::int64_t micros = 5'000'000;
  LinkEngine link{1, false};
};

}  // namespace linktest
}  // namespace lumora
