// Texts of the main window, its start-up and its shutdown, and the decision of the
// port-opening loop. Multi-line texts use a single LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/core/about_box.h"
#include "base/core/app_identity.h"
#include "base/core/problem.h"
#include "link/core/link_engine.h"

namespace lumora {

// "Corvane Lumora Trace Server v" major "." minor revision (1, 11, 0 gives "...v1.110").
std::string mainWindowCaption(const AppVersion& version);

inline constexpr const char* kTrayIconTip = "Corvane Lumora Trace Server";
inline constexpr const char* kWaitingForTraceData = "Waiting for trace data...";
inline constexpr const char* kTraceCancelled = "Trace Cancelled!\n\nWaiting for Next Trace...";
inline constexpr const char* kSaveDialogTitle = "Enter the Trace File Name";
inline constexpr const char* kAlreadyRunning =
    "The Lumora Trace Server is already running.\n\nIt can be accessed any time by double clicking on "
    "the small blue Corvane icon on the Windows system tray.";
inline constexpr const char* kShutdownTitle = "Program Shutdown Confirmation";
inline constexpr const char* kShutdownQuestion =
    "This action will exit and terminate the program and remove it from the taskbar.\n\n"
    "Are you sure you want to do this?";
inline constexpr const char* kNoComPort =
    "Unable to open a com port.\nYou must configure the serial port communications settings before you "
    "can continue.\n\nClick on OK to go to the Setup menu or click Cancel to end program.";
inline constexpr const char* kComPortNotOpened =
    "Unable to open the specified com port.\nYou must reconfigure the serial port communications settings "
    "before you can continue.\n\nClick on OK to go to the Setup menu or click Cancel to end program.";

// Asked when "&Setup" is chosen while an upload is not finished.
inline constexpr const char* kSetupDuringUpload =
    "A trace upload is in progress. Setup closes the port, and a trace not yet stored or named "
    "would be lost.\n\nClick Yes to wait: the setup opens once the upload is finished. Click No to "
    "open the setup now.";

// The status line while the link's port is lost: which port, which device (where it is not
// named COMn) and that it is tried again.
std::string portLostStatus(int port, std::string_view device);
// The notification icon's tip meanwhile: the product name and the same in short.
std::string portLostTip(int port, std::string_view device);

// The link at a glance, beside the status line: port, device, settings and what it is doing
// ("COM1 (/dev/ttyUSB0) 19200,N,8,1: receiving job 1001").
std::string linkStatusText(int port, std::string_view device, std::string_view settings, LinkPhase phase,
                           std::string_view job, bool portLost);

// The icon's notices: the server listening at start-up (unless "Bypass Startup Notification"
// is ticked), a trace stored, the port lost and back.
std::string listeningNotice(int port, std::string_view device, std::string_view settings);
std::string traceStoredNotice(std::string_view job);
std::string portBackNotice(int port, std::string_view device);

// One pass of the port-opening loop: what keeps the link from running, as the message to ask
// OK/Cancel with, or none when the port is open. `port` is the setting "Port" as a number;
// `opened` whether opening it succeeded (not asked for a port outside 1..16, which is never
// opened).
std::optional<Problem> portOpenProblem(int port, bool opened);

}  // namespace lumora
