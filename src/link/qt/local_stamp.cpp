#include "link/qt/local_stamp.h"

#include <QRegularExpression>

namespace lumora {

QString LocalStamp(const QDateTime& moment, const QLocale& locale) {
  static const QRegularExpression zone(QStringLiteral("\\s*t+"));
  const QString longTime = locale.timeFormat(QLocale::LongFormat).remove(zone).trimmed();
  return locale.toString(moment.date(), QLocale::ShortFormat) + ' ' + locale.toString(moment.time(), longTime);
}

}  // namespace lumora
