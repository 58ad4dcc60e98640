// One running copy per user: the first copy holds a lock file in the user's runtime folder
// (XDG_RUNTIME_DIR on Linux, the user's local application data on Windows); a second copy
// finds it held. A copy that crashed leaves a stale lock, which the next start takes over.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace lumora {

class SingleInstance {
 public:
  // `lockPath` empty: the default per-user location.
  explicit SingleInstance(const QString& lockPath = {});
  // True when this copy is the only one running (and now holds the lock).
  bool acquired() const { return acquired_; }

 private:
  std::unique_ptr<QLockFile> lock_;
  bool acquired_ = false;
};

// The per-user folder the lock file lives in, one implementation per platform
// (single_instance_posix.cpp, single_instance_windows.cpp).
QString lockFolder();

}  // namespace lumora
