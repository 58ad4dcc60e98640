#include <gtest/gtest.h>

#include "setup/core/modem_answer.h"

namespace lumora {
namespace {

constexpr std::int64_t Second = 1'000'000;  // microseconds

std::optional<ModemReply> answerTo(std::string_view bytes) { return ModemAnswer{}.add(bytes); }

TEST(ModemAnswer, OkFollowedByCrLfIsOk) {
  EXPECT_EQ(answerTo("OK\r\n"), ModemReply::Ok);
  EXPECT_EQ(answerTo("ATV1Q0\r\r\nOK\r\n"), ModemReply::Ok);  // echo first
}

TEST(ModemAnswer, ErrorFollowedByCrLfIsError) {
  EXPECT_EQ(answerTo("ERROR\r\n"), ModemReply::Error);
  EXPECT_EQ(answerTo("AT\r\r\nERROR\r\n"), ModemReply::Error);
}

TEST(ModemAnswer, OkWinsOverErrorInTheSameRead) {
  EXPECT_EQ(answerTo("ERROR\r\nOK\r\n"), ModemReply::Ok);
}

TEST(ModemAnswer, WrongCaseOrMissingLineEndIsNoAnswer) {
  EXPECT_EQ(answerTo("ok\r\n"), std::nullopt);
  EXPECT_EQ(answerTo("Ok\r\n"), std::nullopt);
  EXPECT_EQ(answerTo("OK"), std::nullopt);
  EXPECT_EQ(answerTo("OK\r"), std::nullopt);
  EXPECT_EQ(answerTo("OK\n"), std::nullopt);
  EXPECT_EQ(answerTo("OK\n\r"), std::nullopt);
  EXPECT_EQ(answerTo("error\r\n"), std::nullopt);
  EXPECT_EQ(answerTo(""), std::nullopt);
}

TEST(ModemAnswer, AnswerSplitOverSeveralReadsIsFound) {
  ModemAnswer answer;
  EXPECT_EQ(answer.add("AT\r\r\nO"), std::nullopt);
  EXPECT_EQ(answer.add("K\r"), std::nullopt);
  EXPECT_EQ(answer.add("\n"), ModemReply::Ok);

  ModemAnswer error;
  EXPECT_EQ(error.add("E"), std::nullopt);
  EXPECT_EQ(error.add("RROR"), std::nullopt);
  EXPECT_EQ(error.add("\r"), std::nullopt);
  EXPECT_EQ(error.add("\n"), ModemReply::Error);
}

TEST(ModemAnswer, ErrorCutBeforeItsLineFeedStillLosesToOkInTheNextRead) {
  ModemAnswer answer;
  EXPECT_EQ(answer.add("ERROR\r"), std::nullopt);
  EXPECT_EQ(answer.add("\nOK\r\n"), ModemReply::Ok);
}

TEST(ModemAnswer, LongNoiseBeforeTheAnswerDoesNotHideIt) {
  ModemAnswer answer;
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(answer.add("noise noise noise O"), std::nullopt);
  EXPECT_EQ(answer.add("K\r\n"), ModemReply::Ok);
}

TEST(ModemWaitLimit, OneSecondLaterRoundedToTheWholeSecond) {
  EXPECT_EQ(ModemWaitLimit(200'000), 1 * Second);       // 1.2 s -> 1 s: a 0.8 s wait
  EXPECT_EQ(ModemWaitLimit(700'000), 2 * Second);       // 1.7 s -> 2 s: a 1.3 s wait
  EXPECT_EQ(ModemWaitLimit(3 * Second), 4 * Second);
  EXPECT_EQ(ModemWaitLimit(499'999), 1 * Second);
  EXPECT_EQ(ModemWaitLimit(500'001), 2 * Second);
}

TEST(ModemWaitLimit, HalfSecondsRoundToTheEvenSecond) {
  EXPECT_EQ(ModemWaitLimit(500'000), 2 * Second);            // 1.5 -> 2
  EXPECT_EQ(ModemWaitLimit(1 * Second + 500'000), 2 * Second);  // 2.5 -> 2
  EXPECT_EQ(ModemWaitLimit(2 * Second + 500'000), 4 * Second);  // 3.5 -> 4
}

TEST(ModemWaitLimit, NegativeTimesFollowTheSameRule) {
  EXPECT_EQ(ModemWaitLimit(-1'500'000), 0);         // -0.5 -> 0
  EXPECT_EQ(ModemWaitLimit(-1'700'000), -1 * Second);  // -0.7 -> -1
}

}  // namespace
}  // namespace lumora
