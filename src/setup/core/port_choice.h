// What a click in the port list means, and the speed question that follows a new choice.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumora {

enum class PortClick {
  Refused,  // a modem or a port that cannot be opened: untick it, store nothing
  Cleared,  // the ticked port was unticked: no port is configured now
  Chosen,   // a port was ticked: it becomes the configured port
};

// Classifies a click on the entry with `entryText`, whose box is `tickedNow` after the click.
// Entries naming a modem or "not available" (in any case) cannot be chosen.
PortClick classifyPortClick(std::string_view entryText, bool tickedNow);

// The tip of the entry of `port` showing `entryText`, whose device is `device`: the device
// where it is not named COMn, and why the entry cannot be chosen, or is not in use, when so.
std::string portEntryTip(int port, std::string_view entryText, std::string_view device);

inline constexpr std::string_view kSpeedQuestionTitle = "Serial Port Baud Rate";

// The question asked after port `port` was chosen.
std::string speedQuestionPrompt(int port);

struct SpeedAnswer {
  enum class Kind {
    Stop,      // empty answer (Cancel or a cleared box): store nothing
    AskAgain,  // 300 or less, or 256000 or more: the same question again, no message
    Accept,    // store `speed`
  };
  Kind kind = Kind::Stop;
  std::int32_t speed = 0;  // bits per second, for Accept
};

// Reads the answer's leading number rounded to a whole number, halves to the even one.
SpeedAnswer readSpeedAnswer(std::string_view answer);

}  // namespace lumora
