// The shared utilities that need the program's state: the horizontal value
// of a sample position and the time stamp in a store's comment.
#pragma once

#include <cstdint>

#include "store/Store.h"

namespace state {

struct Program;

// Horizontal value of sample position `index` of `channel` (0-based) in a
// store: (index - (PreTrigger - 1)) * step for a time channel, index / (N * step)
// for a spectrum channel, and 0 when N * step is 0. A channel outside 0..127
// counts as a time channel.
double CursorToTime(Program& p, store::Store store, int32_t index, int N, double step, int channel);
double CursorToTime(Program& p, store::Store store, int64_t index, int N, double step, int channel);
double CursorToTime(Program& p, store::Store store, double index, int N, double step, int channel);

// Puts the date, ",  ", the time of day and "\r\n" in front of the store's
// `Comment`; the comment keeps at most 299 characters and stays terminated.
void TimeToCom(Program& p, store::Store store);

}  // namespace state
