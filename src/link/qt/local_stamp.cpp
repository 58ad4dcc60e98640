#include "link/qt/local_stamp.h"

#include <QRegularExpression>

namespace lumora {

QString localStamp(const QDateTime& moment, const QLocale& locale) {
  static const QRegularExpression kZone(QStringLiteral("\\s*t+"));
  const QString longTime = locale.timeFormat(QLocale::LongFormat).remove(kZone).trimmed();
  return locale.toString(moment.date(), QLocale::ShortFormat) + ' ' + locale.toString(moment.time(), longTime);
}

}  // namespace lumora
