// Writing into the fixed char arrays of records: always truncated and
// terminated, so a long name can never run past a field.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace store {

inline void CopyText(char* dst, size_t size, std::string_view src) {
  if (size == 0) return;
  size_t n = src.size() < size - 1 ? src.size() : size - 1;
  std::memcpy(dst, src.data(), n);
  dst[n] = '\0';
}

template <size_t N>
void CopyText(char (&dst)[N], std::string_view src) {
  CopyText(dst, N, src);
}

// Reads a field that may lack its terminator (file input) without overrunning it.
template <size_t N>
std::string FieldText(const char (&src)[N]) {
  return std::string(src, strnlen(src, N));
}

inline std::string FieldText(const char* src, size_t size) { return std::string(src, strnlen(src, size)); }

}  // namespace store
