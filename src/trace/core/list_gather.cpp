#include "trace/core/list_gather.h"

#include <algorithm>

#include "trace/core/field_reader.h"

namespace lumora {
namespace {

// Appends the fields after the label. Taken fields that follow each other are appended as
// one run, separators included; the list keeps a trailing ";" until the end.
void takePositive(ListGatherer& g, const char* const line, const char* const end) {
  std::string& text = g.list.text;
  const char* run = nullptr;
  for (const char* field = line;; ++field) {
    double number;
    const char* const fieldEnd = ReadField(field, end, number);
    if (number > 0) {
      if (!run) run = field;
      g.list.starts.push_back(text.size() + static_cast<std::size_t>(field - run));
      g.values.push_back(number);
      ++g.count;
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

}  // namespace

void GatherLists(std::string_view block, std::initializer_list<ListGatherer*> gatherers) {
  // Room for the wanted fields at once, but never more than the block could hold (a field
  // takes at least two bytes), whatever count a format line declares.
  const auto mostFields = static_cast<std::int64_t>(block.size() / 2);
  for (ListGatherer* g : gatherers) {
    if (g->take != Take::PositiveValues) continue;
    const auto room = static_cast<std::size_t>(std::clamp<std::int64_t>(g->wanted, 0, mostFields));
    g->values.reserve(room);
    g->list.starts.reserve(room);
  }
  for (std::size_t start = 0, stillActive = gatherers.size(); stillActive > 0;) {
    const std::size_t lf = block.find('\n', start);
    const std::string_view line = block.substr(start, lf == std::string_view::npos ? lf : lf - start);
    for (ListGatherer* g : gatherers) {
      if (!g->active) continue;
      if (line.starts_with(g->label)) {
        const char* const fields = line.data() + g->label.size();
        const char* const end = line.data() + line.size();
        (g->take == Take::PositiveValues ? takePositive : takeEvery)(*g, fields, end);
      }
      if (g->count >= g->wanted) g->active = false, --stillActive;
    }
    if (lf == std::string_view::npos) break;
    start = lf + 1;
  }
  for (ListGatherer* g : gatherers)
    if (!g->list.text.empty() && g->list.text.back() == ';') g->list.text.pop_back();
}

}  // namespace lumora
