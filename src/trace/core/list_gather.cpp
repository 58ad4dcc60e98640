#include "trace/core/list_gather.h"

#include <algorithm>
#include <cstring>

#include "base/core/number_text.h"

namespace lumora {
namespace {

struct Field {
  const char* end;  // its ";" or the line's end
  double number;    // value() of its text
};

// The ";"-separated field that starts at `begin` on a line ending at `end`, read in one pass
// when it is a plain decimal.
Field readField(const char* begin, const char* end) {
  const detail::PlainDecimal d = detail::scanPlainDecimal(begin, end);
  double number = 0;
  if ((d.end == end || *d.end == ';') && d.exactValue(number)) return {d.end, number};
  const void* semicolon = std::memchr(d.end, ';', static_cast<std::size_t>(end - d.end));
  const char* const fieldEnd = semicolon ? static_cast<const char*>(semicolon) : end;
  return {fieldEnd, value(std::string_view(begin, static_cast<std::size_t>(fieldEnd - begin)))};
}

// Appends the fields after the label. Taken fields that follow each other are appended as
// one run, separators included; the list keeps a trailing ";" until the end.
void takeFieldByField(ListGatherer& g, const char* const line, const char* const end) {
  std::string& text = g.list.text;
  const char* run = nullptr;
  for (const char* field = line;; ++field) {
    const auto [fieldEnd, number] = readField(field, end);
    if (number > 0) {
      g.values.push_back(number);
      ++g.count;
      if (g.take == Take::PositiveValues) {
        if (!run) run = field;
        g.list.starts.push_back(text.size() + static_cast<std::size_t>(field - run));
      }
    } else if (run) {
      text.append(run, field);  // ends with the ";" before this field
      run = nullptr;
    }
    if (fieldEnd == end) break;
    field = fieldEnd;
  }
  if (run) text.append(run, end).push_back(';');
}

// Every field is taken, so the line goes in whole. These lists are never reordered by
// field offsets, so none are kept.
void takeEvery(ListGatherer& g, const char* const line, const char* const end) {
  g.count += 1 + std::count(line, end, ';');
  g.list.text.append(line, end).push_back(';');
}

// starts_with for a label of a few bytes, without a library call; the first byte alone
// turns most lines away.
bool startsWithShort(std::string_view text, std::string_view label) {
  if (text.size() < label.size()) return false;
  for (std::size_t i = 0; i < label.size(); ++i)
    if (text[i] != label[i]) return false;
  return true;
}

// Takes the fields of one line of the gatherer's label.
void takeLine(ListGatherer& g, const char* const fields, const char* const end) {
  if (g.take == Take::EveryField) takeEvery(g, fields, end);
  else takeFieldByField(g, fields, end);
}

bool stillActive(std::initializer_list<ListGatherer*> gatherers) {
  return std::any_of(gatherers.begin(), gatherers.end(), [](const ListGatherer* g) { return g->active; });
}

}  // namespace

void gatherLists(std::string_view block, std::initializer_list<ListGatherer*> gatherers) {
  // Room for the wanted fields at once, but never more than the block could hold (a field
  // takes at least two bytes), whatever count a format line declares.
  const auto mostFields = static_cast<std::int64_t>(block.size() / 2);
  for (ListGatherer* g : gatherers) {
    if (g->take == Take::EveryField) continue;
    const auto room = static_cast<std::size_t>(std::clamp<std::int64_t>(g->wanted, 0, mostFields));
    g->values.reserve(room);
    if (g->take == Take::PositiveValues) g->list.starts.reserve(room);
  }
  const char* const blockEnd = block.data() + block.size();
  for (const char* line = block.data(); stillActive(gatherers);) {
    const std::string_view rest(line, static_cast<std::size_t>(blockEnd - line));
    const auto lf = rest.find('\n');
    const char* const lineEnd = lf == std::string_view::npos ? blockEnd : line + lf;
    for (ListGatherer* g : gatherers) {
      if (!g->active) continue;
      // Labels hold no LF, so a label at the start of the rest is at the start of the line.
      if (startsWithShort(rest, g->label)) takeLine(*g, line + g->label.size(), lineEnd);
      if (g->count >= g->wanted) g->active = false;
    }
    if (lineEnd == blockEnd) break;
    line = lineEnd + 1;
  }
  for (ListGatherer* g : gatherers)
    if (!g->list.text.empty() && g->list.text.back() == ';') g->list.text.pop_back();
}

}  // namespace lumora
