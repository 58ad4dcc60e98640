#include "setup/core/modem_answer.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumora {

TEST(ModemAnswer, OnlyUpperCaseOkOrErrorWithCrLfIsAnAnswerEvenWhenCutBetweenReads) {
  std::vector<std::string> longNoise(1000, "noise noise noise ");
  longNoise.insert(longNoise.end(), {"O", "K\r\n"});
  const std::pair<std::vector<std::string>, std::optional<ModemReply>> cases[] = {
      {{"AT\r\r\nERROR\r\n"}, ModemReply::Error},     {{"ERROR\r\nOK\r\n"}, ModemReply::Ok},  // OK wins
      {{"AT\r\r\nO", "K\r", "\n"}, ModemReply::Ok},   {{"E", "RROR", "\r", "\n"}, ModemReply::Error},
      {longNoise, ModemReply::Ok},                    {{"ok\r\n"}, std::nullopt},
      {{"OK"}, std::nullopt},                         {{"OK\n\r"}, std::nullopt}};
  for (const auto& [reads, reply] : cases) {
    ModemAnswer answer;
    std::optional<ModemReply> last;
    for (const std::string& read : reads) {
      EXPECT_FALSE(last.has_value()) << "answered before the last read";
      last = answer.add(read);
    }
    EXPECT_EQ(last, reply) << (reads.size() > 10 ? "long noise" : ::testing::PrintToString(reads));
  }
}

// One second later, rounded to the whole second with halves to the even one (microseconds).
TEST(ModemWaitLimit, OneSecondLaterRoundedHalfEven) {
  const std::pair<std::int64_t, std::int64_t> cases[] = {
      {200'000, 1'000'000},    {700'000, 2'000'000},  {499'999, 1'000'000}, {500'000, 2'000'000},
      {1'500'000, 2'000'000},  {-1'500'000, 0},       {-1'700'000, -1'000'000}};
  for (const auto& [now, limit] : cases) EXPECT_EQ(modemWaitLimit(now), limit) << now;
}

}  // namespace lumora
