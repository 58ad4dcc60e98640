#include "fake_modem.h"

#include <poll.h>
#include <unistd.h>

#include <utility>

namespace lumora::testing {

FakeModem::FakeModem(std::set<int> speeds, std::string answer)
    : speeds_(std::move(speeds)), answer_(std::move(answer)), thread_([this] { run(); }) {}

FakeModem::~FakeModem() {
  stop_ = true;
  thread_.join();
}

std::vector<std::string> FakeModem::commands() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return commands_;
}

void FakeModem::run() {
  std::string pending;
  while (!stop_) {
    pollfd watch{pty_.master(), POLLIN, 0};
    if (poll(&watch, 1, 10) <= 0 || (watch.revents & POLLIN) == 0) continue;
    char buffer[256];
    const ssize_t got = ::read(pty_.master(), buffer, sizeof buffer);
    if (got <= 0) continue;
    pending.append(buffer, static_cast<std::size_t>(got));
    for (std::size_t cr = pending.find('\r'); cr != std::string::npos; cr = pending.find('\r')) {
      handle(pending.substr(0, cr));
      pending.erase(0, cr + 1);
    }
  }
}

void FakeModem::handle(const std::string& command) {
  const int speed = pty_.speed();
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    commands_.push_back(command + "@" + std::to_string(speed));
  }
  if (speeds_.count(speed) == 0) return;
  const std::string reply = command + "\r\r\n" + answer_;
  if (::write(pty_.master(), reply.data(), reply.size()) < 0) return;
}

}  // namespace lumora::testing
