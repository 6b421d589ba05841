// The calibration file (.CAL): the 128 acquisition channel records `A`, no
// version word.
#pragma once

namespace state {
struct Program;
}

namespace files {

inline constexpr const char* kCalibrationWorkName = "\\JOB\\WORK.CAL";

// Answers 0 with `A` unchanged when the file is missing or not exactly 128
// records long; callers then fall back to `A0`.
[[nodiscard]] int ReadKalibrUtil(state::Program& p, const char* nameOrNull = nullptr);
// Writes `A` to the calibration file.
[[nodiscard]] int WriteKalibrUtil(state::Program& p, const char* nameOrNull = nullptr);

}  // namespace files
