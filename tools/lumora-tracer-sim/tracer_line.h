// The tracer's end of the serial line on a POSIX system: a device, a pseudo-terminal pair
// this program opens, or an inherited descriptor.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/sim_options.h"

namespace lumora::sim {

using Clock = std::chrono::steady_clock;

class TracerLine {
 public:
  ~TracerLine();

  // Opens the line the options name; why not when it cannot.
  std::optional<Problem> open(const SimOptions& options);
  // The path the host should open (--pty only).
  const std::string& ptyPath() const { return ptyPath_; }
  // On a pseudo-terminal: waits until the host has opened and configured its side (the
  // line leaves canonical mode). False when that does not happen within `timeoutMs`.
  bool waitForHost(int timeoutMs);

  // Called with every chunk of bytes that arrives.
  std::function<void(std::string_view)> onInput;
  // Writes `bytes`, pausing once as `pause` says and pacing at `baud` bits per second
  // (0: at once), reading input meanwhile. Stops early when `stop` becomes true.
  bool send(std::string_view bytes, const std::optional<Pause>& pause, int baud,
            const std::function<bool()>& stop);
  // Reads input until `stop` holds or `until` passes; false when the line broke.
  bool readUntil(Clock::time_point until, const std::function<bool()>& stop);

 private:
  int fd_ = -1;
  int slave_ = -1;  // kept open so the master never sees a hang-up before the host opens
  bool ownsFd_ = true;
  bool isPtyMaster_ = false;
  std::string ptyPath_;
};

}  // namespace lumora::sim
