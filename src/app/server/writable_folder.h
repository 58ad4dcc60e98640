// Where the program writes its own files (the application log): its own folder when it can
// write there, else a per-user folder, because the program may be installed read-only.
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "base/core/problem.h"

namespace lumora {

// Why no file of ours can be created in `folder` (made first when missing), in the system's
// words; nothing when one can.
std::optional<Problem> folderProblem(const QString& folder);

// `preferred` when a file can be created in it, else `fallback` (created when missing).
// Empty when neither is writable.
QString writableFolder(const QString& preferred, const QString& fallback);

// The application log's file name: the main window's caption and ".Log".
QString applicationLogName();

// Points Qt's messages at the application log in writableFolder(program folder, per-user
// data folder), started afresh. Returns the log's path, empty when none could be opened
// (messages then stay on stderr).
QString startApplicationLog();
// The same in `folder`, for as long as `owner` lives. A log that reaches
// kLargestApplicationLog bytes starts afresh with a note.
QString startApplicationLogIn(const QString& folder, QObject* owner);
inline constexpr qint64 kLargestApplicationLog = qint64{4} << 20;

}  // namespace lumora
