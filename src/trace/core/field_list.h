// A ";"-separated data list together with where each of its fields starts, so that the
// fields can be reordered without searching the text again.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumora {

struct FieldList {
  std::string text;
  std::vector<std::size_t> starts;  // offset of each field in `text`; none for an empty text

  std::size_t size() const { return starts.size(); }
  std::string_view field(std::size_t i) const {
    const std::size_t end = i + 1 < starts.size() ? starts[i + 1] - 1 : text.size();
    return std::string_view(text).substr(starts[i], end - starts[i]);
  }
};

// The list of a text's fields (an empty text has none).
inline FieldList toFieldList(std::string text) {
  FieldList list{std::move(text), {}};
  if (list.text.empty()) return list;
  list.starts.push_back(0);
  for (std::size_t i = 0; i < list.text.size(); ++i)
    if (list.text[i] == ';') list.starts.push_back(i + 1);
  return list;
}

}  // namespace lumora
