// Kept apart: the kernel's termios2 header cannot share a file with <termios.h>, which the
// pseudo-terminal header brings in.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace lumora::testing {

int TerminalSpeed(int fd) {
  struct termios2 settings {};
  if (ioctl(fd, TCGETS2, &settings) != 0) return -1;
  return static_cast<int>(settings.c_ospeed);
}

}  // namespace lumora::testing
