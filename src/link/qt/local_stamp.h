// The local date and time that begins each equipment line: the system's short date, a
// blank and its long time, without the time zone some systems add to the long time.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace lumora {

QString localStamp(const QDateTime& moment, const QLocale& locale);

}  // namespace lumora
