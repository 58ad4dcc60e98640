#include "app/desktop/single_instance.h"

#include <QDir>
#include <QStandardPaths>

#include "base/core/app_identity.h"

namespace lumora {

namespace {

// Per user. Windows' runtime location is the user's own folder, where the file would be seen.
QString defaultLockFolder() {
#ifdef Q_OS_WIN
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  QDir().mkpath(folder);
  return folder;
#else
  return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
#endif
}

}  // namespace

SingleInstance::SingleInstance(const QString& lockPath) {
  const QString name = QString::fromUtf8(kApplicationTitle.data(), static_cast<qsizetype>(kApplicationTitle.size()));
  const QString path = lockPath.isEmpty() ? QDir(defaultLockFolder()).filePath(name + ".lock") : lockPath;
  lock_ = std::make_unique<QLockFile>(path);
  lock_->setStaleLockTime(0);  // held for the whole run; only a dead owner makes it stale
  acquired_ = lock_->tryLock(0);
}

}  // namespace lumora
