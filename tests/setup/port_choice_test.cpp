#include <gtest/gtest.h>

#include "setup/core/port_choice.h"

namespace lumora {
namespace {

TEST(PortClick, ModemAndNotAvailableEntriesAreRefusedTickChoosesUntickClears) {
  const std::tuple<const char*, bool, PortClick> cases[] = {
      {"COM: 2  (Modem - 57600 Max Speed)", true, PortClick::Refused},
      {"COM: 5 (not available)", false, PortClick::Refused},
      {"COM: 1  (Available)", true, PortClick::Chosen},
      {"COM: 3\t 19200 8,n,1 (Currently in Use)", false, PortClick::Cleared},
      {"COM: 3\t 19200 8,n,1 (Currently in Use)", true, PortClick::Chosen}};
  for (const auto& [text, ticked, click] : cases) {
    EXPECT_EQ(ClassifyPortClick(text, ticked), click) << text << " ticked " << ticked;
  }
}

TEST(SpeedQuestion, PromptNamesThePortWithoutABlank) {
  EXPECT_EQ(SpeedQuestionPrompt(7),
            "Please enter the desired serial port speed for the COM7 device (110, 300, 1200, "
            "2400, 4800, 9600, 19200, 38400, 57600, 115200)");
}

TEST(SpeedQuestion, EmptyStopsSpeedsOutsideTheOpenRangeAreAskedAgain) {
  EXPECT_EQ(ReadSpeedAnswer("").What, SpeedAnswer::Kind::Stop);
  for (const char* answer : {"300", "0", "abc", " ", "256000", "1e9", "-9600", "300.5"}) {
    EXPECT_EQ(ReadSpeedAnswer(answer).What, SpeedAnswer::Kind::AskAgain) << answer;
  }
}

TEST(SpeedQuestion, SpeedsBetweenAreAcceptedRoundedHalfEven) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"301", 301}, {"255999", 255999}, {"9600 baud", 9600}, {"301.5", 302}};
  for (const auto& [answer, speed] : cases) {
    const SpeedAnswer read = ReadSpeedAnswer(answer);
    EXPECT_EQ(read.What, SpeedAnswer::Kind::Accept) << answer;
    EXPECT_EQ(read.Speed, speed) << answer;
  }
}

}  // namespace
}  // namespace lumora
