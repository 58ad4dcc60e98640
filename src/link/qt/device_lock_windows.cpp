#include "link/qt/device_lock.h"

namespace lumora {

// A COM port opens for one program at a time, under any name: the open itself refuses a
// second server.
DeviceLock::Result DeviceLock::take(const std::string&) { return Result::NotChecked; }
void DeviceLock::excludeOtherOpens() {}
void DeviceLock::release() {}

}  // namespace lumora
