// A pseudo-terminal pair for serial tests: the program under test opens the slave by its
// path; the test plays the device on the master side. The slave stays open in the test too,
// so closing the port under test never hangs the master up.
#pragma once

#include <string>

namespace lumora::testing {

class PtyPair {
 public:
  PtyPair();
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  int master() const { return master_; }
  const std::string& slavePath() const { return path_; }
  // The speed the slave is set to, bits per second, as seen from the master.
  int speed() const;

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

// The output speed of the terminal behind `fd`, including speeds outside the standard table.
int TerminalSpeed(int fd);

}  // namespace lumora::testing
