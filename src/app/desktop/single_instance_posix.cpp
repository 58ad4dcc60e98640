#include <QStandardPaths>

#include "app/desktop/single_instance.h"

namespace lumora {

QString lockFolder() { return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation); }

}  // namespace lumora
