// How the code reports a failure. A routine that can fail returns what went wrong as a
// Problem: one line in plain words, ready for the activity list or a message box ("cannot
// create a temporary file in /srv/traces: Permission denied"). A routine that gives nothing
// else back returns std::optional<Problem>, empty on success; one that gives a value back
// returns Result<T>, holding either. Nothing is thrown for input a caller or a user can get
// wrong, and a getter never fails: what it cannot answer reads empty or 0, as its comment says.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace lumora {

struct Problem {
  std::string text;
  bool operator==(const Problem&) const = default;
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : held_(std::move(value)) {}
  Result(Problem problem) : held_(std::move(problem)) {}

  bool ok() const { return held_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // Only when ok().
  const T& value() const& { return std::get<0>(held_); }
  T&& value() && { return std::get<0>(std::move(held_)); }
  const T& operator*() const& { return value(); }
  const T* operator->() const { return &value(); }

  // Only when !ok().
  const Problem& problem() const { return std::get<1>(held_); }

 private:
  std::variant<T, Problem> held_;
};

}  // namespace lumora
