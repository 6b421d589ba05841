// The job file (.JOB): the job image `JG` (five opaque bytes, `MG`, `PG`,
// `DG`), then per channel its `CGW` and `CGB` graph records, then per channel
// its 20 waveform and 20 measurement markers. No version word.
#pragma once

#include <cstddef>
#include <cstdint>

namespace state {
struct Program;
}

namespace files {

inline constexpr const char* kJobWorkName = "\\JOB\\WORK.JOB";
inline constexpr size_t kJobFileSize = 393647;

// The largest memory budget a job may ask for (samples per array); a larger
// or non-positive `TotalSamples` from a file is cut to the bounds, so a bad
// file cannot make the start-up allocation absurd.
inline constexpr int32_t kMinTotalSamples = 128;
inline constexpr int32_t kMaxTotalSamples = 2048 * 131072;

// Reads the fixed job file and the job. A job file that is missing or not
// exactly kJobFileSize bytes long is refused before anything is applied:
// answer 0, every record unchanged (the fixed job file is not read either).
// While a macro runs the 268 bytes of `PG` from offset 28 are kept. The
// live command buffer (`NameQueue`) is kept too. Re-derives the card
// addresses. A null name is the working name.
[[nodiscard]] int ReadJobFileUtil(state::Program& p, const char* nameOrNull = nullptr);

// Writes the fixed job file, marks in `PG` whether the graph windows of each
// store are open, and writes the job. Answers 1 only when both files were
// written and closed without error.
[[nodiscard]] int WriteJobFileUtil(state::Program& p, const char* nameOrNull = nullptr);

}  // namespace files
