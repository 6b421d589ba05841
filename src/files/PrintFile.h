// The print file (.PRT): int16 version 6, then the print record `Prt`.
#pragma once

namespace state {
struct Program;
}

namespace files {

inline constexpr const char* kPrintWorkName = "\\JOB\\WORK.PRT";
inline constexpr int kPrintVersion = 6;

// Answers 0 with `Prt` unchanged when the file is missing, has another
// version word or another size; callers then set `Prt0`.
[[nodiscard]] int ReadPrtUtil(state::Program& p, const char* nameOrNull = nullptr);
// Writes the print file.
[[nodiscard]] int WritePrtUtil(state::Program& p, const char* nameOrNull = nullptr);

}  // namespace files
