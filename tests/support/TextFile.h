// A whole file as text, for tests that compare what the program wrote.
#pragma once

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace testing_support {

inline std::string ReadText(const std::string& path) {
  const std::vector<uint8_t> b = ReadBytes(path);
  return std::string(b.begin(), b.end());
}

}  // namespace testing_support
