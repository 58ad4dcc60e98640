#include <gtest/gtest.h>

#include <vector>

#include "setup/core/modem_answer.h"

namespace lumora {
namespace {

constexpr std::int64_t Second = 1'000'000;  // microseconds

// Feeds the reads one by one; the answer is what the last read gave.
std::optional<ModemReply> answerTo(const std::vector<std::string>& reads) {
  ModemAnswer answer;
  std::optional<ModemReply> reply;
  for (const std::string& read : reads) {
    EXPECT_FALSE(reply.has_value()) << "answered before the last read";
    reply = answer.add(read);
  }
  return reply;
}

TEST(ModemAnswer, OnlyUpperCaseOkOrErrorWithCrLfIsAnAnswer) {
  const std::vector<std::string> noise(1000, "noise noise noise ");
  std::vector<std::string> longNoise = noise;
  longNoise.insert(longNoise.end(), {"O", "K\r\n"});
  const std::pair<std::vector<std::string>, std::optional<ModemReply>> cases[] = {
      {{"ATV1Q0\r\r\nOK\r\n"}, ModemReply::Ok},  // echo first
      {{"AT\r\r\nERROR\r\n"}, ModemReply::Error},
      {{"ERROR\r\nOK\r\n"}, ModemReply::Ok},  // OK wins in the same read
      {{"AT\r\r\nO", "K\r", "\n"}, ModemReply::Ok},
      {{"E", "RROR", "\r", "\n"}, ModemReply::Error},
      {{"ERROR\r", "\nOK\r\n"}, ModemReply::Ok},
      {longNoise, ModemReply::Ok},
      {{"ok\r\n"}, std::nullopt},
      {{"OK"}, std::nullopt},
      {{"OK\n\r"}, std::nullopt},
      {{"error\r\n"}, std::nullopt}};
  for (const auto& [reads, reply] : cases) {
    SCOPED_TRACE(reads.size() > 10 ? "long noise" : ::testing::PrintToString(reads));
    EXPECT_EQ(answerTo(reads), reply);
  }
}

// The wait ends one second later, rounded to the whole second with halves to the even one.
TEST(ModemWaitLimit, OneSecondLaterRoundedHalfEven) {
  const std::pair<std::int64_t, std::int64_t> cases[] = {
      {200'000, 1 * Second},  // 1.2 s -> 1 s: a 0.8 s wait
      {700'000, 2 * Second},  // 1.7 s -> 2 s: a 1.3 s wait
      {499'999, 1 * Second},
      {500'000, 2 * Second},               // 1.5 -> 2
      {Second + 500'000, 2 * Second},      // 2.5 -> 2
      {-1'500'000, 0},                     // -0.5 -> 0
      {-1'700'000, -1 * Second}};          // -0.7 -> -1
  for (const auto& [now, limit] : cases) EXPECT_EQ(ModemWaitLimit(now), limit) << now;
}

}  // namespace
}  // namespace lumora
