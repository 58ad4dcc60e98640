// One running copy per user: the first copy holds a lock file in the user's runtime folder
// (XDG_RUNTIME_DIR on Linux, the user's folder on Windows); a second copy finds it held. A copy that crashed leaves a stale lock, which the
// next start takes over.
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

}  // namespace lumora
