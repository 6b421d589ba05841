// Starting external programs (editor, viewer, converter). Always an argv,
// never a shell: a file name with blanks or quotes reaches the program intact.
#pragma once

#include <string>
#include <vector>

namespace platform {

class Process {
 public:
  virtual ~Process() = default;
  // Starts argv[0] found on PATH (or by path) without waiting; false on failure.
  virtual bool Start(const std::vector<std::string>& argv) = 0;
};

}  // namespace platform
