#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "link/qt/device_lock.h"

namespace lumora {

// The lock belongs to the device's open file, so any path to the device meets it, and it
// ends with the process however that ends.
DeviceLock::Result DeviceLock::take(const std::string& path) {
  release();
  fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return Result::NotChecked;
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return Result::Taken;
  release();
  return Result::HeldElsewhere;
}

void DeviceLock::excludeOtherOpens() {
  if (fd_ >= 0) ::ioctl(fd_, TIOCEXCL);
}

void DeviceLock::release() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

}  // namespace lumora
