#include "app/desktop/single_instance.h"

#include <QDir>

#include "base/core/app_identity.h"
#include "base/qt/qt_text.h"

namespace lumora {

SingleInstance::SingleInstance(const QString& lockPath) {
  const QString path = lockPath.isEmpty() ? QDir(lockFolder()).filePath(toQString(kApplicationTitle) + ".lock") : lockPath;
  lock_ = std::make_unique<QLockFile>(path);
  lock_->setStaleLockTime(0);  // held for the whole run; only a dead owner makes it stale
  acquired_ = lock_->tryLock(0);
}

}  // namespace lumora
