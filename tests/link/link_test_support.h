// Test helpers for the link engine: a fake clock, a recording trace store, tracer packets,
// and short builders for expected outputs.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "link/core/control_chars.h"
#include "link/core/framing.h"
#include "link/core/link_engine.h"

namespace lumora {

inline void PrintTo(const Output& output, std::ostream* os) { *os << Describe(output); }

namespace linktest {

// Stores nothing on disk: records each path and the bytes its file would hold, and returns
// `failure` (when set) as the reason it could not store.
class RecordingStore final : public TraceStore {
 public:
  using Call = std::pair<std::string, std::string>;  // path, bytes
  std::string StoreTrace(const std::string& folder, const std::string& name,
                         const std::vector<std::string>& lines) override {
    calls.emplace_back(TracePath(folder, name), TraceFileBytes(lines));
    return failure;
  }
  std::string FolderProblem(const std::string& folder) const override {
    return folder == missingFolder ? "No such file or directory" : "";
  }
  std::string TracePath(const std::string& folder, const std::string& name) const override {
    return folder + "/" + name;
  }
  std::vector<Call> calls;
  std::string failure;
  std::string missingFolder;
};

// A tracer packet as tracers write it: FS, each record and CR LF, RS, an optional CRC
// record over records and RS, GS.
inline std::string tracerPacket(const std::vector<std::string>& records, bool withCrc = false) {
  std::string covered;
  for (const std::string& r : records) covered += r + "\r\n";
  covered += RS;
  std::string packet = FS + covered;
  if (withCrc) packet += "CRC=" + std::to_string(CRC16(covered)) + "\r\n";
  return packet + GS;
}

inline Output make(OutputKind kind, std::string text = {}, std::string path = {}) {
  return {kind, std::move(text), std::move(path), 0};
}
inline Output write(std::string bytes) { return make(OutputKind::Write, std::move(bytes)); }
inline Output activity(std::string line) { return make(OutputKind::Activity, std::move(line)); }
inline const Output Ack = write(std::string(1, ACK));
inline const Output Nak = write(std::string(1, NAK));
inline Outputs operator+(Outputs a, const Outputs& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
// The texts of the outputs of one kind, in order.
inline std::vector<std::string> texts(const Outputs& out, OutputKind kind) {
  std::vector<std::string> found;
  for (const Output& o : out)
    if (o.kind == kind) found.push_back(o.text);
  return found;
}

// The engine with a fake clock in microseconds. The local time stamp carries the clock
// reading, so equipment lines show when they were made.
class LinkTest : public ::testing::Test {
 protected:
  Instant now() const { return {micros, "06.12.2026 @" + std::to_string(micros)}; }
  // The tracer's bytes, and what the owner's timer then handles at once (a deadline that is
  // already due, as after a body's GS).
  Outputs send(std::string_view bytes) {
    Outputs out = link.receive(bytes, now());
    return out + link.expire(now());
  }
  Outputs wait(std::int64_t us) {
    micros += us;
    return link.expire(now());
  }
  // Sends one packet and lets its burst end (0.25 s of silence and one microsecond).
  Outputs request(const std::string& packet) {
    Outputs out = send(packet);
    return out + wait(BurstSilenceMicros + 1);
  }
  // What `burst` causes on a fresh link once its silence has passed.
  Outputs alone(const std::string& burst) {
    LinkEngine fresh{store, 1, "/saves", false};
    Outputs out = fresh.receive(burst, now());
    return out + fresh.expire({micros + BurstSilenceMicros + 1, ""});
  }

  std::int64_t micros = 5'000'000;
  RecordingStore store;
  LinkEngine link{store, 1, "/saves", false};
};

}  // namespace linktest
}  // namespace lumora
