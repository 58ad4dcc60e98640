// One line has one server: a lock on the serial device itself, whatever path reaches it (a
// /dev/serial/by-id link, the device node), so that a second server, the tray application or
// the headless one, is refused before it touches the line's settings or discards its input.
// One implementation per platform (device_lock_posix.cpp, device_lock_windows.cpp).
#pragma once

#include <string>

namespace lumora {

class DeviceLock {
 public:
  enum class Result {
    Taken,       // this object holds the device until release() or destruction
    HeldElsewhere,  // another program holds it
    NotChecked,  // the device could not be opened to lock it; opening the port will say why
  };

  DeviceLock() = default;
  ~DeviceLock() { release(); }
  DeviceLock(const DeviceLock&) = delete;
  DeviceLock& operator=(const DeviceLock&) = delete;

  // Locks the device `path` leads to; a lock held already is released first.
  Result take(const std::string& path);
  // Once the port is open: the terminal's exclusive mode, so that no other open of the
  // device succeeds at all (except an administrator's, which the lock above still refuses).
  void excludeOtherOpens();
  void release();

 private:
  int fd_ = -1;
};

}  // namespace lumora
