#include <QDir>
#include <QStandardPaths>

#include "app/desktop/single_instance.h"

namespace lumora {

// Windows' runtime location is the user's own folder, where the file would be seen.
QString lockFolder() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  QDir().mkpath(folder);
  return folder;
}

}  // namespace lumora
