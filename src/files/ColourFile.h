// The colour file (.COL): int16 version 6, then the colour table `Col_`.
#pragma once

namespace state {
struct Program;
}

namespace files {

inline constexpr const char* kColourWorkName = "\\JOB\\WORK.COL";
inline constexpr int kColourVersion = 6;

// Factory colours: twelve trace colours repeating by channel, automatic
// scale steps, grey background, empty view histories, strip weight 1.
void Init_Color(state::Program& p);

// A missing file, another version word or another size fill the defaults
// (`Init_Color`) and answer 0.
[[nodiscard]] int ReadColUtil(state::Program& p, const char* nameOrNull = nullptr);
// Writes the colour file.
[[nodiscard]] int WriteColUtil(state::Program& p, const char* nameOrNull = nullptr);

}  // namespace files
