// lumora-trace history: the upload history the servers keep, as a table or as JSON lines.
#pragma once

#include <string>
#include <vector>

#include "commands.h"

namespace lumora::tool {

// history [--job TEXT] [--since DATE] [--json] [--database PATH]: the uploads, newest first,
// whose job number starts with TEXT and that came at DATE (an ISO 8601 date or date and time)
// or later; the database is the servers' own unless PATH is given. Exit 1 when the database
// cannot be read, 2 for bad usage (and where the tool is built without Qt).
int runHistory(const std::vector<std::string>& args, Streams io);

}  // namespace lumora::tool
