// A modem on the master side of a pseudo-terminal: it collects what the port writes and,
// after each CR, echoes the command and answers `answer` (normally "OK" CR LF) when the speed
// the port is set to is one it supports; at other speeds it stays silent.
#pragma once

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "pty_pair.h"

namespace lumora::testing {

class FakeModem {
 public:
  FakeModem(std::set<int> speeds, std::string answer = "OK\r\n");
  ~FakeModem();

  const std::string& devicePath() const { return pty_.slavePath(); }
  // Each command received, with the speed it arrived at ("AT@57600").
  std::vector<std::string> commands() const;

 private:
  void run();
  void handle(const std::string& command);

  PtyPair pty_;
  std::set<int> speeds_;
  std::string answer_;
  mutable std::mutex mutex_;
  std::vector<std::string> commands_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace lumora::testing
