// Makes writes fail part-way, as on a full disk, without needing a full disk. POSIX only:
// Windows has no per-process limit on file size, so the tests that need one skip there.
#pragma once

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>

namespace lumora::testing {

// Files of this process cannot grow beyond `bytes` while it lives: a write past that fails
// as it does on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  sighandler_t previousHandler_;
};

}  // namespace lumora::testing
#endif
