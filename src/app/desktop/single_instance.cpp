#include "app/desktop/single_instance.h"

#include <QDir>
#include <QStandardPaths>

#include "app/core/app_title.h"

namespace lumora {

SingleInstance::SingleInstance(const QString& lockPath) {
  const QString path = lockPath.isEmpty()
                           ? QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                                 .filePath(QString::fromUtf8(ApplicationTitle.data(),
                                                             static_cast<qsizetype>(ApplicationTitle.size())) +
                                           ".lock")
                           : lockPath;
  lock_ = std::make_unique<QLockFile>(path);
  lock_->setStaleLockTime(0);  // held for the whole run; only a dead owner makes it stale
  acquired_ = lock_->tryLock(0);
}

}  // namespace lumora
