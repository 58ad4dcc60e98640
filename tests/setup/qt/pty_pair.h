// A pseudo-terminal pair for serial tests: the program under test opens the slave by its
// path; the test plays the device on the master side. The slave stays open in the test too,
// so closing the port under test never hangs the master up.
#pragma once

#include <pty.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace lumora::testing {

// The output speed of the terminal behind `fd`, including speeds outside the standard table.
int TerminalSpeed(int fd);

class PtyPair {
 public:
  PtyPair() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty failed");
    path_ = name;
  }
  ~PtyPair() {
    ::close(slave_);
    ::close(master_);
  }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  int master() const { return master_; }
  const std::string& slavePath() const { return path_; }
  // The speed the slave is set to, bits per second, as seen from the master.
  int speed() const { return TerminalSpeed(master_); }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

}  // namespace lumora::testing
