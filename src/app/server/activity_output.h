// The headless server's activity lines on its standard output. They must never hold up the
// link: a reader that stops reading (a full pipe, a console with text being selected) or
// goes away (a closed pipe) costs lines, never an upload.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <thread>

namespace lumora {

struct ActivityQueue;  // shared with the writer, which outlives its owner if the output never drains

class ActivityOutput {
 public:
  static constexpr std::size_t kQueuedLines = 1000;  // lines waiting for a slow reader

  // Writes to the descriptor `fd` from a thread of its own. A closed pipe no longer ends the
  // program (SIGPIPE is ignored from here on).
  explicit ActivityOutput(int fd);
  // Gives the queued lines up to a second to go out.
  ~ActivityOutput();
  ActivityOutput(const ActivityOutput&) = delete;
  ActivityOutput& operator=(const ActivityOutput&) = delete;

  // Queues the line and a line end, or drops it when kQueuedLines are waiting already; the
  // next line queued says how many were dropped, whether by a full queue or a failed write.
  void print(std::string_view line);

 private:
  std::shared_ptr<ActivityQueue> queue_;
  std::thread writer_;
};

}  // namespace lumora
