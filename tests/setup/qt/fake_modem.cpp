#include "fake_modem.h"

#include <unistd.h>

#include <utility>

namespace lumora::testing {

FakeModem::FakeModem(std::set<int> speeds)
    : speeds_(std::move(speeds)), notifier_(pty_.master(), QSocketNotifier::Read) {
  QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { onReadable(); });
}

void FakeModem::onReadable() {
  char buffer[256];
  const ssize_t got = ::read(pty_.master(), buffer, sizeof buffer);
  if (got <= 0) return;
  pending_.append(buffer, static_cast<std::size_t>(got));
  for (std::size_t cr = pending_.find('\r'); cr != std::string::npos; cr = pending_.find('\r')) {
    const std::string command = pending_.substr(0, cr);
    pending_.erase(0, cr + 1);
    const int speed = pty_.speed();
    commands_.push_back(command + "@" + std::to_string(speed));
    const std::string reply = command + "\r\r\nOK\r\n";
    if (speeds_.count(speed) != 0 && ::write(pty_.master(), reply.data(), reply.size()) < 0) return;
  }
}

}  // namespace lumora::testing
