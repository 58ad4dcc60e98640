// The tracer-type question behind the "Tracer Setup Help" entries: its texts and what an
// answer selects. The input box itself belongs to the window code.
#pragma once

#include <optional>
#include <string_view>

#include "app/core/help_texts.h"

namespace lumora {

inline constexpr std::string_view kTracerQuestionTitle = "Select Tracer Type";
inline constexpr std::string_view kTracerQuestionPrompt =
    "1. Corvane Orvid Tracer\n"
    "2. Corvane Pavane Tracer\n"
    "3. Corvane Tarsel (v1.23 Firmware or newer)\n"
    "4. Corvane Tarsel (v1.22 Firmware or older)\n";

// The model chosen by `answer`, read as its leading number: exactly 1 to 4 choose Orvid,
// Pavane, Tarsel and Tarsel with old firmware. Anything else (no number, a cancelled box
// given as an empty text, 0, 5, 2.5) chooses nothing.
std::optional<TracerModel> tracerModelFromAnswer(std::string_view answer);

// Title of the message window that shows the instructions for `model`.
std::string_view tracerInstructionsTitle(TracerModel model);

}  // namespace lumora
