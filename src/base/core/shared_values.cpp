#include "base/core/shared_values.h"

namespace lumora {

SharedValues& Shared() {
  static SharedValues values;
  return values;
}

}  // namespace lumora
