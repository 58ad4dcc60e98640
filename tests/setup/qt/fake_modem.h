// A modem on the master side of a pseudo-terminal, played from the event loop: after each CR
// it echoes the command and answers "OK" CR LF when the port is set to a speed it supports;
// at other speeds it stays silent.
#pragma once

#include <QSocketNotifier>
#include <set>
#include <string>
#include <vector>

#include "pty_pair.h"

namespace lumora::testing {

class FakeModem {
 public:
  explicit FakeModem(std::set<int> speeds);

  const std::string& devicePath() const { return pty_.slavePath(); }
  // Each command received, with the speed it arrived at ("AT@57600").
  const std::vector<std::string>& commands() const { return commands_; }

 private:
  void onReadable();

  PtyPair pty_;
  std::set<int> speeds_;
  QSocketNotifier notifier_;
  std::string pending_;
  std::vector<std::string> commands_;
};

}  // namespace lumora::testing
