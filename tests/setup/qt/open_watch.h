// Counts how often a device file is opened, through inotify, so a test can prove that a
// port was never touched.
#pragma once

#include <string>

namespace lumora::testing {

class OpenWatch {
 public:
  explicit OpenWatch(const std::string& path);
  ~OpenWatch();
  OpenWatch(const OpenWatch&) = delete;
  OpenWatch& operator=(const OpenWatch&) = delete;

  // Opens seen since the watch began.
  int opens();

 private:
  int fd_ = -1;
  int opens_ = 0;
};

}  // namespace lumora::testing
