#include "trace/core/list_gather.h"

#include <algorithm>

#include "trace/core/field_reader.h"
#include "trace/core/number_line.h"

namespace lumora {
namespace {

// The usual line, every field an unsigned plain decimal above 0 ("2655;2650", "0.9;1.8"),
// taken whole in one pass over its bytes. Any other line: false, nothing taken. The byte at
// `end` is read, so the line must end in an LF.
bool takeWholeLine(ListGatherer& g, const char* const line, const char* const end) {
  const std::size_t valuesBefore = g.values.size(), offset = g.list.text.size();
  const bool keepText = g.take == Take::PositiveValues;
  auto giveUp = [&] {
    g.values.resize(valuesBefore);
    if (keepText) g.list.starts.resize(valuesBefore);
    return false;
  };
  for (const char* field = line;;) {
    std::uint64_t mantissa = 0;
    const char* point = nullptr;
    const char* p = field;
    for (;; ++p) {
      const auto digit = static_cast<unsigned char>(*p - '0');
      if (digit < 10) mantissa = mantissa * 10 + digit;
      else if (*p == '.' && !point && p != end) point = p;
      else break;
    }
    detail::PlainDecimal d;
    d.mantissa = mantissa;
    d.decimals = point ? p - point - 1 : 0;
    d.digits = p - field - (point ? 1 : 0);
    double number;
    if ((p != end && *p != ';') || mantissa == 0 || !d.exactValue(number)) return giveUp();
    g.values.push_back(number);
    if (keepText) g.list.starts.push_back(offset + static_cast<std::size_t>(field - line));
    if (p == end) break;
    field = p + 1;
  }
  g.count += static_cast<std::int64_t>(g.values.size() - valuesBefore);
  if (keepText) g.list.text.append(line, end).push_back(';');
  return true;
}

// A line of whole numbers above 0, the bulk of every packet, numbers only: read in one go.
// Returns the line's LF, or nothing (nothing taken) for any other line, or one the readers
// cannot take in one go.
const char* takeWholeNumbers(ListGatherer& g, const char* const fields, const char* const blockEnd) {
  const std::size_t before = g.values.size();
  const char* const lineFeed = detail::ReadNumberLine(g.values, fields, blockEnd);
  g.count += static_cast<std::int64_t>(g.values.size() - before);
  return lineFeed;
}

// Appends the fields after the label. Taken fields that follow each other are appended as
// one run, separators included; the list keeps a trailing ";" until the end.
void takeFieldByField(ListGatherer& g, const char* const line, const char* const end) {
  std::string& text = g.list.text;
  const char* run = nullptr;
  for (const char* field = line;; ++field) {
    double number;
    const char* const fieldEnd = ReadField(field, end, number);
    if (number > 0 && g.take == Take::PositiveNumbers) {
      g.values.push_back(number);
      ++g.count;
    } else if (number > 0) {
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

// starts_with for a label of a few bytes, without a library call; the first byte alone
// turns most lines away.
bool startsWithShort(std::string_view text, std::string_view label) {
  if (text.size() < label.size()) return false;
  for (std::size_t i = 0; i < label.size(); ++i)
    if (text[i] != label[i]) return false;
  return true;
}

// Takes the fields of one line of the gatherer's label.
void takeLine(ListGatherer& g, const char* const fields, const char* const end, bool endsInLf) {
  if (g.take == Take::EveryField) takeEvery(g, fields, end);
  else if (!endsInLf || !takeWholeLine(g, fields, end)) takeFieldByField(g, fields, end);
}

// After a line of numbers, the lines of the gatherer's label that follow, read the same way
// while it wants more and no other gatherer's label starts them: what the line-by-line walk
// would do, without its checks. Returns the last line's LF.
const char* takeFollowingNumberLines(ListGatherer& g, const char* lineFeed, const char* const blockEnd,
                                     std::initializer_list<ListGatherer*> gatherers) {
  while (g.count < g.wanted) {
    const std::string_view next(lineFeed + 1, static_cast<std::size_t>(blockEnd - lineFeed - 1));
    const auto startsNext = [&](const ListGatherer* other) {
      return other != &g && startsWithShort(next, other->label);
    };
    if (!startsWithShort(next, g.label) || std::any_of(gatherers.begin(), gatherers.end(), startsNext)) break;
    const char* const end = takeWholeNumbers(g, next.data() + g.label.size(), blockEnd);
    if (!end) break;
    lineFeed = end;
  }
  return lineFeed;
}

bool stillActive(std::initializer_list<ListGatherer*> gatherers) {
  return std::any_of(gatherers.begin(), gatherers.end(), [](const ListGatherer* g) { return g->active; });
}

}  // namespace

void GatherLists(std::string_view block, std::initializer_list<ListGatherer*> gatherers) {
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
    const char* lineEnd = nullptr;  // its LF, or the block's end; found when first needed
    const char* runEnd = nullptr;   // the last LF of the lines read with it in one go
    const auto findLineEnd = [&] {
      if (!lineEnd) {
        const auto lf = rest.find('\n');
        lineEnd = lf == std::string_view::npos ? blockEnd : line + lf;
      }
      return lineEnd;
    };
    for (ListGatherer* g : gatherers) {
      if (!g->active) continue;
      // Labels hold no LF, so a label at the start of the rest is at the start of the line.
      if (startsWithShort(rest, g->label)) {
        const char* const fields = line + g->label.size();
        const char* const numbersEnd =
            g->take == Take::PositiveNumbers ? takeWholeNumbers(*g, fields, blockEnd) : nullptr;
        if (numbersEnd) {
          lineEnd = numbersEnd;  // the gatherers after this one take this line alone
          const char* const followingEnd = takeFollowingNumberLines(*g, numbersEnd, blockEnd, gatherers);
          runEnd = runEnd ? std::max(runEnd, followingEnd) : followingEnd;
        } else {
          takeLine(*g, fields, findLineEnd(), findLineEnd() != blockEnd);
        }
      }
      if (g->count >= g->wanted) g->active = false;
    }
    if (findLineEnd() == blockEnd) break;
    line = (runEnd ? runEnd : lineEnd) + 1;
  }
  for (ListGatherer* g : gatherers)
    if (!g->list.text.empty() && g->list.text.back() == ';') g->list.text.pop_back();
}

}  // namespace lumora
