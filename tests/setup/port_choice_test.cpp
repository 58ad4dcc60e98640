#include <gtest/gtest.h>

#include "setup/core/port_choice.h"

namespace lumora {
namespace {

TEST(PortClick, ModemAndNotAvailableEntriesCannotBeChosen) {
  EXPECT_EQ(ClassifyPortClick("COM: 2  (Modem - 57600 Max Speed)", true), PortClick::Refused);
  EXPECT_EQ(ClassifyPortClick("COM: 5 (Not Available)", true), PortClick::Refused);
  EXPECT_EQ(ClassifyPortClick("COM: 5 (not available)", false), PortClick::Refused);
  EXPECT_EQ(ClassifyPortClick("my modem", true), PortClick::Refused);
}

TEST(PortClick, TickChoosesAndUntickClears) {
  EXPECT_EQ(ClassifyPortClick("COM: 1  (Available)", true), PortClick::Chosen);
  EXPECT_EQ(ClassifyPortClick("COM: 3\t 19200 8,n,1 (Currently in Use)", false),
            PortClick::Cleared);
  EXPECT_EQ(ClassifyPortClick("COM: 3\t 19200 8,n,1 (Currently in Use)", true),
            PortClick::Chosen);
}

TEST(SpeedQuestion, PromptNamesThePortWithoutABlank) {
  EXPECT_EQ(SpeedQuestionPrompt(7),
            "Please enter the desired serial port speed for the COM7 device (110, 300, 1200, "
            "2400, 4800, 9600, 19200, 38400, 57600, 115200)");
  EXPECT_EQ(SpeedQuestionTitle, "Serial Port Baud Rate");
}

TEST(SpeedQuestion, EmptyAnswerStops) {
  EXPECT_EQ(ReadSpeedAnswer("").What, SpeedAnswer::Kind::Stop);
}

TEST(SpeedQuestion, SpeedsOutsideTheOpenRangeAreAskedAgain) {
  for (const char* answer : {"300", "110", "0", "abc", " ", "256000", "1e9", "-9600", "300.4"}) {
    EXPECT_EQ(ReadSpeedAnswer(answer).What, SpeedAnswer::Kind::AskAgain) << answer;
  }
}

TEST(SpeedQuestion, SpeedsBetweenAreAcceptedRoundedHalfEven) {
  EXPECT_EQ(ReadSpeedAnswer("19200").Speed, 19200);
  EXPECT_EQ(ReadSpeedAnswer("19200").What, SpeedAnswer::Kind::Accept);
  EXPECT_EQ(ReadSpeedAnswer("301").Speed, 301);
  EXPECT_EQ(ReadSpeedAnswer("255999").Speed, 255999);
  EXPECT_EQ(ReadSpeedAnswer("9600 baud").Speed, 9600);
  EXPECT_EQ(ReadSpeedAnswer("300.5").What, SpeedAnswer::Kind::AskAgain);  // rounds to 300
  EXPECT_EQ(ReadSpeedAnswer("301.5").Speed, 302);
}

}  // namespace
}  // namespace lumora
