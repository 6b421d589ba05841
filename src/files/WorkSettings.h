// The working set at start: the fallbacks used when "\JOB\WORK.JOB" or one of
// its companions is missing or unreadable (first start, damaged file).
#pragma once

namespace state {
struct Program;
}

namespace files {

// After a failed read of the working job: `PG0`, a memory budget of 1048576
// samples, `JobLeft` and the default card addresses of the first two records.
void SetMissingJobDefaults(state::Program& p);

// First-tick loaders of the working companions, each with its fallback;
// each answers 1 when its file was read.
[[nodiscard]] int ReadWorkCalibration(
    state::Program& p);  // else every `A` = `A0`, `BaseAddress` of A[1..127] = 0
[[nodiscard]] int ReadWorkFunctions(state::Program& p);  // else the function defaults
[[nodiscard]] int ReadWorkPrint(state::Program& p);      // else `Prt0`
[[nodiscard]] int ReadWorkColours(state::Program& p);    // else the colour defaults

}  // namespace files
