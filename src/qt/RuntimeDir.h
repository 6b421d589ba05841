// Qt keeps per-user runtime files under XDG_RUNTIME_DIR and, when it is not
// set, says so on stderr, which is the message path of a headless run. A
// process started without one gets a private directory of its own.
#pragma once

#include <string>

namespace qt {

class RuntimeDir {
 public:
  // With XDG_RUNTIME_DIR unset or empty: a new 0700 directory under TMPDIR
  // (or /tmp) becomes XDG_RUNTIME_DIR. Anything else is left as it is.
  RuntimeDir();
  // Removes the directory made, with what Qt left in it.
  ~RuntimeDir();
  RuntimeDir(const RuntimeDir&) = delete;
  RuntimeDir& operator=(const RuntimeDir&) = delete;
  const std::string& Made() const { return made_; }  // empty: none was needed or none could be made

 private:
  std::string made_;
};

}  // namespace qt
