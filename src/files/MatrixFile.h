// The matrix file (.MAT): the 158-byte header `Mat`, then Rows × Columns
// float32 values row after row, nothing else. Its size follows from the
// header's counts, which is what the reader holds the file to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "store/SettingsBlocks.h"

namespace files {

inline constexpr size_t kMatrixHeaderBytes = sizeof(store::Mat_s);
// The header keeps its counts in int16.
inline constexpr int kMaxMatrixCount = 32767;
// No matrix, made or read, takes more than this many values (128 MB).
inline constexpr int64_t kMaxMatrixValues = int64_t(1) << 25;

enum class MatrixFileStatus {
  Ok,
  CannotOpen,
  BadCounts,     // rows or columns not positive
  TooLarge,      // more values than kMaxMatrixValues
  SizeMismatch,  // the file is not exactly header + rows × columns values
  NotANumber,    // a value is NaN or infinite
};

// Writes header and values (header.Rows × header.Columns of them) through a
// temporary file; false leaves an existing file as it was.
[[nodiscard]] bool WriteMatrixFile(const std::string& path, const store::Mat_s& header, const float* values);

// Reads a whole matrix file. `header` and `values` change only on Ok; the
// memory taken never exceeds what the file really holds.
[[nodiscard]] MatrixFileStatus ReadMatrixFile(const std::string& path, store::Mat_s& header,
                                              std::vector<float>& values);

}  // namespace files
