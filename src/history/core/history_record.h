// One upload as the history keeps it, and what a look-up in the history asks for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/core/link_output.h"

namespace lumora {

struct HistoryRecord {
  std::int64_t id = 0;        // the store's number for it, higher for later uploads; 0 until stored
  std::string time;           // local date and time with its offset, ISO 8601 ("2026-06-12T14:03:22+02:00")
  int port = 0;               // the port number, 1 to 16
  std::string device;         // the port's device
  std::string job;            // the job number of the request
  UploadOutcome outcome = UploadOutcome::Stored;
  std::optional<int> status;  // the tracer's final answer
  std::string file;           // the stored trace's path; empty when nothing was stored
  // Millimetres, of the stored trace's right eye (its left eye when it holds only that one):
  // A, B, circumference, and the DBL; none when nothing was stored or the trace gives none.
  std::optional<double> a, b, circumference, dbl;
  bool operator==(const HistoryRecord&) const = default;
};

// How an outcome reads in the history window, the table and JSON ("refused brand").
std::string_view outcomeName(UploadOutcome outcome);
// The outcome a name stands for; nothing for a name no outcome has.
std::optional<UploadOutcome> outcomeNamed(std::string_view name);

// The record of an upload that ended at `time` on `port` (`device`): the stored trace is
// measured from the bytes it was stored with.
HistoryRecord historyRecordOf(const UploadEnd& end, std::string time, int port, std::string device);

// A look-up: the conditions given all hold. Texts compare byte by byte, so a time prefix or
// "since" is a local date or time as the records write it ("2026-06", "2026-06-12T08").
struct HistoryQuery {
  std::string jobPrefix{};   // job numbers that start with it
  std::string timePrefix{};  // times that start with it
  std::string since{};       // times from it on
};

// What the history window's filter box asks for: a text that starts like a date (four digits
// and "-") is a time prefix, any other a job prefix; blanks around it do not count.
HistoryQuery queryFromFilterText(std::string_view text);

// The first text after every text that starts with `prefix`, so that "starts with" is a range
// an index can answer; nothing when no text follows them all (an empty prefix, or bytes 0xFF only).
std::optional<std::string> prefixEnd(std::string_view prefix);

}  // namespace lumora
