#include "app/server/activity_output.h"

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <deque>
#include <mutex>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <cerrno>
#include <unistd.h>
#endif

namespace lumora {

struct ActivityQueue {
  explicit ActivityQueue(int descriptor) : fd(descriptor) {}
  const int fd;
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::string> lines;
  std::size_t dropped = 0;
  bool writing = false, stopping = false;
};

namespace {

// Waits for the reader as long as it takes: only the writer thread calls this.
bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
#ifdef _WIN32
    const int n = _write(fd, text.data(), static_cast<unsigned>(text.size()));
#else
    const ssize_t n = write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
#endif
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void writeLines(const std::shared_ptr<ActivityQueue>& q) {
  std::unique_lock lock(q->mutex);
  for (;;) {
    q->changed.wait(lock, [&] { return !q->lines.empty() || q->stopping; });
    if (q->lines.empty()) return;  // stopping, and everything is out
    const std::string text = std::move(q->lines.front());
    q->lines.pop_front();
    q->writing = true;
    lock.unlock();
    const bool written = writeAll(q->fd, text);
    lock.lock();
    q->writing = false;
    if (!written) ++q->dropped;
    q->changed.notify_all();
  }
}

}  // namespace

ActivityOutput::ActivityOutput(int fd) : queue_(std::make_shared<ActivityQueue>(fd)) {
#ifndef _WIN32
  std::signal(SIGPIPE, SIG_IGN);
#endif
  writer_ = std::thread(writeLines, queue_);
}

ActivityOutput::~ActivityOutput() {
  std::unique_lock lock(queue_->mutex);
  queue_->stopping = true;
  queue_->changed.notify_all();
  const bool drained = queue_->changed.wait_for(lock, std::chrono::seconds(1), [&] {
    return queue_->lines.empty() && !queue_->writing;
  });
  lock.unlock();
  if (drained) writer_.join();
  else writer_.detach();  // blocked on a reader that never comes; the queue stays with it
}

void ActivityOutput::print(std::string_view line) {
  const std::lock_guard lock(queue_->mutex);
  if (queue_->lines.size() >= kQueuedLines) {
    ++queue_->dropped;
    return;
  }
  std::string text;
  if (queue_->dropped) {
    text = "(" + std::to_string(queue_->dropped) + " activity lines dropped: the output could not take them)\n";
    queue_->dropped = 0;
  }
  text.append(line).push_back('\n');
  queue_->lines.push_back(std::move(text));
  queue_->changed.notify_all();
}

}  // namespace lumora
