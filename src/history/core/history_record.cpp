#include "history/core/history_record.h"

#include <array>
#include <utility>

#include "base/core/ascii_text.h"
#include "link/core/trace_file_writer.h"
#include "trace/core/trace_record.h"

namespace lumora {
namespace {

constexpr std::array<std::pair<UploadOutcome, std::string_view>, 9> kOutcomeNames{{
    {UploadOutcome::Stored, "stored"},
    {UploadOutcome::Renamed, "renamed by the operator"},
    {UploadOutcome::RefusedBrand, "refused brand"},
    {UploadOutcome::UnsupportedFormat, "unsupported format"},
    {UploadOutcome::BadName, "bad name"},
    {UploadOutcome::TimedOut, "timed out"},
    {UploadOutcome::TooLong, "too long"},
    {UploadOutcome::Abandoned, "abandoned by the tracer"},
    {UploadOutcome::StoreFailed, "store failed"},
}};

std::optional<double> given(double millimetres) {
  return millimetres > 0 ? std::optional<double>(millimetres) : std::nullopt;
}

}  // namespace

std::string_view outcomeName(UploadOutcome outcome) {
  for (const auto& [known, name] : kOutcomeNames)
    if (known == outcome) return name;
  return {};
}

std::optional<UploadOutcome> outcomeNamed(std::string_view name) {
  for (const auto& [outcome, known] : kOutcomeNames)
    if (known == name) return outcome;
  return std::nullopt;
}

HistoryRecord historyRecordOf(const UploadEnd& end, std::string time, int port, std::string device) {
  HistoryRecord record;
  record.time = std::move(time);
  record.port = port;
  record.device = std::move(device);
  record.job = end.job;
  record.outcome = end.outcome;
  record.status = end.status;
  if (end.file.empty()) return record;
  record.file = traceFilePath(end.folder, end.file);
  TraceRecord trace;
  trace.process(end.bytes);
  const Side side = trace.hasOutline(Side::Right) || !trace.hasOutline(Side::Left) ? Side::Right : Side::Left;
  record.a = given(trace.boxWidth(side));
  record.b = given(trace.boxHeight(side));
  record.circumference = given(trace.circumference(side));
  record.dbl = given(trace.distanceBetweenLenses());
  return record;
}

HistoryQuery queryFromFilterText(std::string_view text) {
  const std::string filter(trimBlanks(text, " \t"));
  const bool date = filter.size() >= 5 && filter[4] == '-' &&
                    filter.find_first_not_of("0123456789") == 4;
  HistoryQuery query;
  (date ? query.timePrefix : query.jobPrefix) = filter;
  return query;
}

std::optional<std::string> prefixEnd(std::string_view prefix) {
  std::string end(prefix);
  while (!end.empty() && static_cast<unsigned char>(end.back()) == 0xFF) end.pop_back();
  if (end.empty()) return std::nullopt;
  end.back() = static_cast<char>(static_cast<unsigned char>(end.back()) + 1);
  return end;
}

}  // namespace lumora
