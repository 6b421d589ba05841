// The history file (.BLK): 6 waveform and 6 measurement block records, then
// for each waveform channel a uint16 count n (at most 10) and n entries of a
// uint16 size s and s × 8 bytes, then the same for the measurement channels.
#pragma once

namespace state {
struct Program;
}

namespace files {

inline constexpr const char* kHistoryWorkName = "\\JOB\\WORK.BLK";

// Missing file: every held entry is released, all counts 0 and the first 8
// bytes of each block record cleared; answer 0. A file that does not parse
// exactly (a count above 10, an entry running past the end, bytes left over)
// is refused with memory and records untouched; answer 0. Held entries are
// released (their bytes subtracted from `TotalDataAlloc`) only once every new
// entry has been obtained; when memory runs out the program exits (`ExitTRV`).
[[nodiscard]] int ReadHistFile(state::Program& p, const char* nameOrNull = nullptr);
// Writes the history file.
[[nodiscard]] int WriteHistFile(state::Program& p, const char* nameOrNull = nullptr);

// Releases every held history entry of both stores and clears the counts.
void ReleaseHistory(state::Program& p);

}  // namespace files
