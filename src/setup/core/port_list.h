// The setup dialog's list of serial ports 1 to 16: the texts of its entries and their ticks.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/core/app_identity.h"

namespace lumora {

// The speeds the modem probe tries, ascending, in bits per second.
inline constexpr std::array<std::int32_t, 16> kProbeSpeeds{
    110, 300, 600, 1200, 2400, 4800, 9600, 14400,
    19200, 28800, 38400, 56000, 57600, 115200, 128000, 256000};

struct PortEntry {
  std::string text;
  bool ticked = false;
};

using PortList = std::array<PortEntry, kPortCount>;  // entry i stands for port number i + 1

// The list before the probe: "COM: 7" for each port; the configured port (1 to 16; anything
// else configures none) reads "COM: 3\t 19200 8,n,1" and is ticked.
PortList initialPortList(std::int32_t configuredPort, std::int32_t configuredSpeed);

// What the probe appends to an entry's text.
inline constexpr std::string_view kInUseSuffix = " (Currently in Use)";
inline constexpr std::string_view kAvailableSuffix = "  (Available)";
inline constexpr std::string_view kNotAvailableSuffix = " (Not Available)";
// The configured port when its device could not be opened or was lost: it is not in use.
inline constexpr std::string_view kNotOpenSuffix = " (Not Open)";

// The longest text each kind of entry can take with `configuredSpeed`, so the list can be
// made wide enough before the probe has filled it.
std::vector<std::string> widestEntryTexts(std::int32_t configuredSpeed);

// The text that replaces a modem port's entry: "COM: 2  (Modem - 57600 Max Speed)".
std::string modemEntryText(int port, std::int32_t speed);

}  // namespace lumora
