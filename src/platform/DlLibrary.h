// Library seam on dlopen/dlsym: the card driver is found by name at run time.
#pragma once

#include <memory>
#include <string>

#include "platform/Library.h"

namespace platform {

class DlLibrary : public Library {
 public:
  // RTLD_NOW so a driver missing a symbol of its own fails here, not in the
  // middle of a run; RTLD_LOCAL so its names never satisfy other libraries.
  // A path without "/" uses the system search path. `error` is dlerror's text.
  std::unique_ptr<LoadedLibrary> Open(const std::string& path, std::string& error) override;
};

}  // namespace platform
