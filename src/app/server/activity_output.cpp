#include "app/server/activity_output.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>

#include "app/server/output_descriptor.h"

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

void writeLines(const std::shared_ptr<ActivityQueue>& q) {
  std::unique_lock lock(q->mutex);
  for (;;) {
    q->changed.wait(lock, [&] { return !q->lines.empty() || q->stopping; });
    if (q->lines.empty()) return;  // stopping, and everything is out
    const std::string text = std::move(q->lines.front());
    q->lines.pop_front();
    q->writing = true;
    lock.unlock();
    const bool written = writeAllTo(q->fd, text);  // only this thread waits for the reader
    lock.lock();
    q->writing = false;
    if (!written) ++q->dropped;
    q->changed.notify_all();
  }
}

}  // namespace

ActivityOutput::ActivityOutput(int fd) : queue_(std::make_shared<ActivityQueue>(fd)) {
  ignoreClosedPipes();
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
