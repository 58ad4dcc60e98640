// Where the program writes its own files (the application log): its own folder when it can
// write there, else a per-user folder, because the program may be installed read-only.
#pragma once

#include <QObject>
#include <QString>
#include <string>

namespace lumora {

// Why no file of ours can be created in `folder` (made first when missing), in the system's
// words; "" when one can.
std::string FolderProblem(const QString& folder);

// `preferred` when a file can be created in it, else `fallback` (created when missing).
// Empty when neither is writable.
QString WritableFolder(const QString& preferred, const QString& fallback);

// The application log's file name: the main window's caption and ".Log".
QString ApplicationLogName();

// Points Qt's messages at the application log in WritableFolder(program folder, per-user
// data folder), started afresh. Returns the log's path, empty when none could be opened
// (messages then stay on stderr).
QString StartApplicationLog();
// The same in `folder`, for as long as `owner` lives. A log that reaches
// kLargestApplicationLog bytes starts afresh with a note.
QString StartApplicationLogIn(const QString& folder, QObject* owner);
inline constexpr qint64 kLargestApplicationLog = qint64{4} << 20;

}  // namespace lumora
