// lumora-trace history over a real history file: the filter, the table and JSON lines.
#include <gtest/gtest.h>

#include <sstream>

#include "commands.h"
#include "history/qt/history_store.h"
#include "temp_folder.h"

namespace lumora::tool {
namespace {

// Fault caught: --job not applied, a column stored or printed as another (every one is set,
// each to its own value), or a UTF-8 path written as Latin-1 (mangled) in JSON.
TEST(HistoryCommand, PrintsTheFilteredUploadsAsTableOrJson) {
  testing::TempFolder temp;
  const std::string path = temp.file("history.sqlite").string();
  {
    HistoryStore store(QString::fromStdString(path));
    HistoryRecord r;
    r.time = "2026-06-12T10:00:00+02:00";
    r.job = "1001";
    r.outcome = UploadOutcome::Renamed;
    r.status = 0;
    r.file = "/Jürgen/1001";
    r.port = 3, r.device = "/dev/ttyUSB0";
    r.a = 50.25, r.b = 30.5, r.circumference = 157.1, r.dbl = 18.5;
    ASSERT_EQ(store.append(r), std::nullopt);
    r.job = "2001";
    ASSERT_EQ(store.append(r), std::nullopt);
  }
  std::ostringstream json, table, err;
  ASSERT_EQ(runTool({"history", "--database", path, "--job", "10", "--json"}, {json, err}), kExitOk) << err.str();
  EXPECT_EQ(json.str(),
            "{\"a\":50.25,\"b\":30.5,\"circumference\":157.1,\"dbl\":18.5,\"device\":\"/dev/ttyUSB0\","
            "\"file\":\"/Jürgen/1001\",\"job\":\"1001\",\"outcome\":\"renamed by the operator\",\"port\":3,"
            "\"status\":0,\"time\":\"2026-06-12T10:00:00+02:00\"}\n");
  ASSERT_EQ(runTool({"history", "--database", path, "--since", "2026-06-13"}, {table, err}), kExitOk);
  EXPECT_EQ(table.str().find('\n'), table.str().size() - 1) << "a header alone: " << table.str();
  EXPECT_EQ(runTool({"history", "--bogus"}, {table, err}), kExitUsage);
}

}  // namespace
}  // namespace lumora::tool
