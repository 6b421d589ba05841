// Reading a .W/.M file into a store: the whole store, one channel, or added
// to what the store holds.
#pragma once

#include <cstdio>
#include <string>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace files {

// `ReadDataFileUtil`: reads `name` (a program name) into the store.
// fileChannel -1 reads the whole file (accumulate != 0 adds its
// samples to the store's); 0..127 reads that channel of the file into the
// active waveform channel destChannel (the measurement store answers 1 and
// reads nothing). withPrefix puts general text 383 before the name when the
// file cannot be opened. Every failure is reported and answers 0 and leaves
// the store exactly as it was: the file is read into the scratch array and
// local records first and reaches the store only when all of it was read.
// A read stopped by Esc, STOP or SIGINT says so itself and sets *stopped, so
// a caller does not report it as a failure as well.
[[nodiscard]] int ReadDataFileUtil(state::Program& p, const std::string& name, store::Store store,
                                   bool withPrefix, int fileChannel, int destChannel, bool accumulate,
                                   bool* stopped = nullptr);

// `ReadDataBlok`: reads `count` float32 values into array[offset...];
// answers 0 on a short read or a negative count or offset.
[[nodiscard]] int ReadDataBlok(FILE* file, float* array, long count, long offset);

}  // namespace files
