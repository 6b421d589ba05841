#include "qt/RuntimeDir.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace qt {

RuntimeDir::RuntimeDir() {
  const char* now = std::getenv("XDG_RUNTIME_DIR");
  if (now && *now) return;
  const char* tmp = std::getenv("TMPDIR");
  // A relative TMPDIR would move with the working directory.
  std::string base = tmp && tmp[0] == '/' ? tmp : "/tmp";
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  std::string pattern = base + "/tarvelin-runtime-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // mkdtemp makes the directory 0700 and never reuses an existing path.
  if (!mkdtemp(name.data())) return;
  made_ = name.data();
  if (setenv("XDG_RUNTIME_DIR", made_.c_str(), 1) != 0) {
    std::error_code ec;
    std::filesystem::remove(made_, ec);
    made_.clear();
  }
}

RuntimeDir::~RuntimeDir() {
  if (made_.empty()) return;
  const char* now = std::getenv("XDG_RUNTIME_DIR");
  if (now && made_ == now) unsetenv("XDG_RUNTIME_DIR");
  std::error_code ec;
  std::filesystem::remove_all(made_, ec);
}

}  // namespace qt
