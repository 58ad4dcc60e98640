// The history's side of a link: each upload's end becomes a record, stamped with the local time.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "base/core/problem.h"
#include "link/core/link_output.h"

namespace lumora {

class HistoryStore;

// Adds how the upload on `port` (`device`) ended to `store`. When that fails, the activity line
// that says so and why; the upload itself is not touched.
std::optional<Problem> recordUpload(HistoryStore& store, const UploadEnd& end, int port, const std::string& device);

// The per-user history file: "history.sqlite" in the application's data folder. Needs the
// application name set (QCoreApplication::setApplicationName).
QString defaultHistoryPath();

}  // namespace lumora
