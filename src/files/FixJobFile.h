// The fixed job file "\JOB\WORK_FIX.JOB": int16 version 23, then `WG`.
#pragma once

namespace state {
struct Program;
}

namespace files {

inline constexpr const char* kFixJobWorkName = "\\JOB\\WORK_FIX.JOB";
inline constexpr int kFixJobVersion = 23;

// Missing file: `WG` = `WG0`, answer 0. Wrong version or size: `WG` unchanged,
// answer 0. A null name is the working name.
[[nodiscard]] int ReadFixJobUtil(state::Program& p, const char* nameOrNull = nullptr);
// Writes the fixed work names; answers 0 when the file cannot be written.
[[nodiscard]] int WriteFixJobUtil(state::Program& p, const char* nameOrNull = nullptr);

}  // namespace files
