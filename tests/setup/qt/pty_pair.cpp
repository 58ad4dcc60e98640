#include "pty_pair.h"

#include <pty.h>
#include <unistd.h>

#include <stdexcept>

namespace lumora::testing {

PtyPair::PtyPair() {
  char name[256] = {};
  if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
    throw std::runtime_error("openpty failed");
  }
  path_ = name;
}

PtyPair::~PtyPair() {
  ::close(slave_);
  ::close(master_);
}

int PtyPair::speed() const { return TerminalSpeed(master_); }

}  // namespace lumora::testing
