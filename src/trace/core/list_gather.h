// Gathering data lists ("R=", "A=", "Z=", "_S=" lines) from a block of a packet.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "trace/core/field_list.h"

namespace lumora {

// PositiveNumbers takes the same fields as PositiveValues but keeps only their numbers:
// the list's text and `starts` stay empty.
enum class Take { PositiveValues, PositiveNumbers, EveryField };

// One list gathered from the lines that start with `label`: every field, or the fields
// whose value is greater than 0 (their numbers kept in `values`, their offsets in the
// list's `starts`), line by line, until `wanted` fields are taken. The count is checked
// after whole lines, so the last line is always taken whole.
struct ListGatherer {
  ListGatherer(std::string_view lineLabel, std::int64_t wantedCount, Take taking)
      : label(lineLabel), wanted(wantedCount), take(taking) {}

  std::string_view label;  // never empty
  std::int64_t wanted;
  Take take;
  FieldList list;
  std::vector<double> values;
  std::int64_t count = 0;
  bool active = true;
};

// Feeds the block's lines (LF-separated) to each gatherer until every one has stopped.
void gatherLists(std::string_view block, std::initializer_list<ListGatherer*> gatherers);

}  // namespace lumora
