#include "Pacing.h"

#include <cstdlib>
#include <cstring>

#include "duziv_virtual.h"

namespace virtualcard {

bool FastModeRequested() {
  const char* value = std::getenv(DUZIV_ENV_FAST);
  return value != nullptr && std::strcmp(value, "1") == 0;
}

}  // namespace virtualcard
