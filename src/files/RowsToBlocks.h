// Rows of numbers as read from a text file turned, in place, into the
// channel blocks of a store.
#pragma once

#include <cstdint>

namespace state {
class Progress;
}

namespace files {

// data[0 .. rows * columns) holds `rows` rows of `columns` numbers one after
// another; afterwards column c lies at data + c * blockLength (blockLength >=
// rows), zeros after its `rows` numbers. data must hold columns *
// blockLength values. Works in runs that stay in the cache and needs only a
// little memory of its own. False when `progress` was stopped: data then
// holds nothing of use.
[[nodiscard]] bool RowsToBlocks(float* data, int64_t rows, int64_t columns, int64_t blockLength,
                                state::Progress& progress);

}  // namespace files
