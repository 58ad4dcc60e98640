// Waiting for a modem's answer to one command: how long, and what counts as an answer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

enum class ModemReply : std::int16_t { Ok = 0, Error = 1, NoAnswer = 2 };

// The last instant, in microseconds, that still belongs to a wait started at `nowMicros`:
// one second later rounded to a whole second, halves to the even second. A wait therefore
// lasts between half a second and one and a half seconds.
std::int64_t modemWaitLimit(std::int64_t nowMicros);

// Collects the bytes a device sends after a command. "OK" CR LF anywhere in them is the answer
// Ok, else "ERROR" CR LF is Error; both exact-case. "OK" wins when both have arrived.
class ModemAnswer {
 public:
  // Adds the bytes that arrived; the reply once one is complete.
  std::optional<ModemReply> add(std::string_view bytes);

 private:
  // The end of what arrived so far, long enough to hold an answer cut between two reads.
  std::string tail_;
};

}  // namespace lumora
