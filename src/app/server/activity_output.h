// The headless server's activity lines on its standard output. They must never hold up the
// link: a reader that stops reading (a full pipe) or goes away (a closed pipe) costs lines,
// never an upload.
#pragma once

#include <cstddef>
#include <string_view>

namespace lumora {

class ActivityOutput {
 public:
  // Writes to the descriptor `fd`. A closed pipe no longer ends the program (SIGPIPE is
  // ignored from here on).
  explicit ActivityOutput(int fd);

  // Writes the line and a line end, or drops it when the output cannot take it at once; the
  // next line that gets through says how many were dropped. A line is cut to fit one write
  // that a pipe takes whole.
  void print(std::string_view line);

 private:
  int fd_;
  std::size_t dropped_ = 0;
};

}  // namespace lumora
