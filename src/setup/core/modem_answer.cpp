#include "setup/core/modem_answer.h"

namespace lumora {
namespace {

constexpr std::int64_t kMicrosPerSecond = 1'000'000;
constexpr std::string_view kOkAnswer = "OK\r\n";
constexpr std::string_view kErrorAnswer = "ERROR\r\n";

// Rounds to a whole second, halves to the even second; floor division keeps negative times
// on the same rule.
std::int64_t roundToWholeSecond(std::int64_t micros) {
  std::int64_t seconds = micros / kMicrosPerSecond;
  std::int64_t rest = micros % kMicrosPerSecond;
  if (rest < 0) {
    rest += kMicrosPerSecond;
    --seconds;
  }
  const std::int64_t half = kMicrosPerSecond / 2;
  if (rest > half || (rest == half && seconds % 2 != 0)) ++seconds;
  return seconds * kMicrosPerSecond;
}

}  // namespace

std::int64_t modemWaitLimit(std::int64_t nowMicros) {
  return roundToWholeSecond(nowMicros + kMicrosPerSecond);
}

std::optional<ModemReply> ModemAnswer::add(std::string_view bytes) {
  std::string seen = tail_;
  seen += bytes;
  // Earlier reads held no answer, so only the kept tail and the new bytes need searching.
  if (seen.find(kOkAnswer) != std::string::npos) return ModemReply::Ok;
  if (seen.find(kErrorAnswer) != std::string::npos) return ModemReply::Error;
  const std::size_t keep = kErrorAnswer.size() - 1;
  tail_ = seen.size() > keep ? seen.substr(seen.size() - keep) : seen;
  return std::nullopt;
}

}  // namespace lumora
