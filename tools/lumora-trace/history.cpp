#include "history.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>
#include <iomanip>
#include <memory>
#include <ostream>
#include <sstream>

#include "base/core/app_identity.h"
#include "history/qt/history_store.h"
#include "history/qt/upload_recording.h"
#include "json_writer.h"
#include "options.h"

namespace lumora::tool {
namespace {

constexpr int kPageRows = 1000;  // read a page at a time: a million uploads print in constant memory

std::string millimetres(const std::optional<double>& value) {
  if (!value) return "";
  std::ostringstream text;
  text << std::fixed << std::setprecision(2) << *value;
  return text.str();
}

void printRow(const HistoryRecord& r, std::ostream& out) {
  out << std::left << std::setw(26) << r.time << ' ' << std::setw(4) << r.port << ' ' << std::setw(14) << r.device
      << ' ' << std::setw(12) << r.job << ' ' << std::setw(24) << outcomeName(r.outcome) << ' ' << std::setw(6)
      << (r.status ? std::to_string(*r.status) : "") << std::right;
  for (const auto& value : {r.a, r.b, r.circumference, r.dbl}) out << ' ' << std::setw(7) << millimetres(value);
  out << "  " << r.file << '\n';
}

void printHeader(std::ostream& out) {
  out << std::left << std::setw(26) << "TIME" << ' ' << std::setw(4) << "PORT" << ' ' << std::setw(14) << "DEVICE"
      << ' ' << std::setw(12) << "JOB" << ' ' << std::setw(24) << "OUTCOME" << ' ' << std::setw(6) << "STATUS"
      << std::right;
  for (const char* name : {"A", "B", "CIR", "DBL"}) out << ' ' << std::setw(7) << name;
  out << "  FILE\n";
}

// Absent values are left out.
std::string rowJson(const HistoryRecord& r) {
  JsonObject row{{"time", Utf8Text{r.time}},     {"port", r.port},
                 {"device", Utf8Text{r.device}}, {"job", Utf8Text{r.job}},
                 {"outcome", Utf8Text{std::string(outcomeName(r.outcome))}}};
  if (r.status) row.emplace("status", *r.status);
  if (!r.file.empty()) row.emplace("file", Utf8Text{r.file});
  const std::pair<const char*, std::optional<double>> sizes[] = {
      {"a", r.a}, {"b", r.b}, {"circumference", r.circumference}, {"dbl", r.dbl}};
  for (const auto& [name, value] : sizes)
    if (value) row.emplace(name, *value);
  return toJson(row);
}

}  // namespace

int runHistory(const std::vector<std::string>& args, Streams io) {
  const Options o = parseOptions(args, {"--job", "--since", "--database"}, {"--json"});
  if (!o.error.empty() || !o.positional.empty()) {
    io.err << "lumora-trace: " << (o.error.empty() ? "history takes no file" : o.error) << "\n";
    return kExitUsage;
  }
  int argc = 1;
  char name[] = "lumora-trace";
  char* argv[] = {name, nullptr};
  std::unique_ptr<QCoreApplication> app;  // Qt loads the SQLite driver through it
  if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);
  QCoreApplication::setApplicationName(QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()));
  const auto value = [&o](const char* option) { return o.values.count(option) ? o.values.at(option) : ""; };
  const QString path = o.values.count("--database") ? QString::fromStdString(value("--database")) : defaultHistoryPath();
  const bool json = o.flags.count("--json") > 0;
  if (!json) printHeader(io.out);
  if (!QFileInfo::exists(path)) return kExitOk;  // no upload yet; reading makes no file
  HistoryStore store(path);
  const HistoryQuery query{value("--job"), "", value("--since")};
  std::optional<std::int64_t> before;
  for (;;) {
    const auto page = store.find(query, kPageRows, before);
    if (!page) {
      io.err << "lumora-trace: " << page.problem().text << "\n";
      return kExitFile;
    }
    for (const HistoryRecord& record : *page) {
      if (json) io.out << rowJson(record) << "\n";
      else printRow(record, io.out);
    }
    if (page->size() < static_cast<std::size_t>(kPageRows)) return kExitOk;
    before = page->back().id;
  }
}

}  // namespace lumora::tool
