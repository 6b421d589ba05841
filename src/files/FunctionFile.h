// The function file (.FUN): int16 version 3, five function pages `Fun`, five
// calibration-from-curve records `Kal`, `Mat`, `MatH`, the 32 bytes of
// measurement-mathematics globals and the 128 records `M`.
#pragma once

namespace state {
struct Program;
}

namespace files {

inline constexpr const char* kFunctionWorkName = "\\JOB\\WORK.FUN";
inline constexpr int kFunctionVersion = 3;
inline constexpr int kFunctionPages = 5;

// Answers 0 with every record unchanged when the file is missing, has another
// version word or another size. On success the pages (`FunPage`, `KalPage`),
// the display mode of `Mat` and the int16 at 2 of `MatH` are reset to 0.
[[nodiscard]] int ReadFunUtil(state::Program& p, const char* nameOrNull = nullptr);
// Writes the function file.
[[nodiscard]] int WriteFunUtil(state::Program& p, const char* nameOrNull = nullptr);

// The defaults used when no function file can be read at start: `Fun0`,
// `Kal0`, empty matrix records, `MGlobals0` and `M0`, pages 0.
void SetFunctionDefaults(state::Program& p);

}  // namespace files
