#include "platform/DlLibrary.h"

#include <dlfcn.h>

namespace platform {
namespace {

class DlLoaded : public LoadedLibrary {
 public:
  explicit DlLoaded(void* handle) : handle_(handle) {}
  ~DlLoaded() override { ::dlclose(handle_); }
  DlLoaded(const DlLoaded&) = delete;
  DlLoaded& operator=(const DlLoaded&) = delete;

  void* Symbol(const char* name) override { return name ? ::dlsym(handle_, name) : nullptr; }

 private:
  void* handle_;
};

}  // namespace

std::unique_ptr<LoadedLibrary> DlLibrary::Open(const std::string& path, std::string& error) {
  ::dlerror();  // drop a stale message so the one reported is ours
  if (path.empty()) {
    // dlopen(NULL) would hand back the program itself.
    error = "no library name";
    return nullptr;
  }
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* e = ::dlerror();
    error = e ? e : "cannot load " + path;
    return nullptr;
  }
  error.clear();
  return std::make_unique<DlLoaded>(handle);
}

}  // namespace platform
