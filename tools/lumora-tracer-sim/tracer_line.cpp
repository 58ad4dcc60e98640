#include "tracer_line.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "app/server/output_descriptor.h"

namespace lumora::sim {
namespace {

// The terminal constant of a standard speed; B0 for any other.
speed_t speedConstant(int speed) {
  switch (speed) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
  }
}

bool makeRaw(int fd, int speed) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return false;
  cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  cfsetspeed(&t, speedConstant(speed));
  return tcsetattr(fd, TCSANOW, &t) == 0;
}

}  // namespace

TracerLine::~TracerLine() {
  if (ownsFd_ && fd_ >= 0) ::close(fd_);
  if (slave_ >= 0) ::close(slave_);
}

std::optional<Problem> TracerLine::open(const SimOptions& options) {
  if (options.pty) {
    char name[256] = {};
    if (openpty(&fd_, &slave_, name, nullptr, nullptr) != 0)
      return Problem{std::string("cannot open a pseudo-terminal: ") + std::strerror(errno)};
    ptyPath_ = name;
    isPtyMaster_ = true;
  } else if (options.fd >= 0) {
    fd_ = options.fd;
    ownsFd_ = false;
    isPtyMaster_ = ptsname(fd_) != nullptr;
  } else {
    if (speedConstant(options.speed) == B0)
      return Problem{"unsupported speed " + std::to_string(options.speed) +
                     " (1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200)"};
    fd_ = ::open(options.device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0 || !makeRaw(fd_, options.speed))
      return Problem{"cannot open " + options.device + ": " + std::strerror(errno)};
  }
  return std::nullopt;
}

bool TracerLine::waitForHost(int timeoutMs) {
  if (!isPtyMaster_) return true;
  const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (Clock::now() < until) {
    termios t{};
    if (tcgetattr(fd_, &t) == 0 && (t.c_lflag & ICANON) == 0) {
      // The host configures the rest of its port right after; let it finish.
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

bool TracerLine::readUntil(Clock::time_point until, const std::function<bool()>& stop) {
  char buffer[4096];
  while (!stop()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    if (left.count() < 0) return true;
    pollfd p{fd_, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count() + 1, 1000)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return false;
    if (ready == 0) continue;
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return false;  // the host's side hung up
    if (onInput) onInput(std::string_view(buffer, static_cast<std::size_t>(n)));
  }
  return true;
}

bool TracerLine::send(std::string_view bytes, const std::optional<Pause>& pause, int baud,
                      const std::function<bool()>& stop) {
  // Paced: chunks of about 10 ms of line time, each at its own moment from the start.
  const std::size_t chunk =
      baud > 0 ? std::max<std::size_t>(1, static_cast<std::size_t>(baud) / 1000) : bytes.size();
  const auto start = Clock::now();
  auto pausedFor = Clock::duration::zero();
  std::size_t sent = 0;
  while (sent < bytes.size() && !stop()) {
    std::size_t count = std::min(chunk, bytes.size() - sent);
    if (pause && sent < pause->afterBytes) count = std::min(count, pause->afterBytes - sent);
    if (!writeAllTo(fd_, bytes.substr(sent, count))) return false;
    sent += count;
    if (pause && sent == pause->afterBytes && sent < bytes.size()) {
      const auto wait = std::chrono::milliseconds(pause->millis);
      if (!readUntil(Clock::now() + wait, stop)) return false;
      pausedFor += wait;
    }
    if (baud > 0) {
      const auto due = start + pausedFor +
                       std::chrono::microseconds(static_cast<long long>(sent) * 10'000'000 / baud);
      if (!readUntil(due, stop)) return false;
    }
  }
  return true;
}

}  // namespace lumora::sim
