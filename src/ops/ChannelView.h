// A channel's samples located and checked against the store's array before
// any computation touches them: a header read from a file may name a length
// or a channel count that the array cannot hold.
#pragma once

#include <cstdint>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

struct ChannelView {
  float* data = nullptr;  // first sample of the channel, null when unusable
  float* scratch = nullptr;
  int32_t length = 0;  // the store's `Length`
  float step = 0;      // `Step` of the channel record
  bool spectrum = false;
  explicit operator bool() const { return data != nullptr; }
};

// The channel (0-based) of a store; empty when the store has no
// array, the channel is inactive or out of 0..127, the length is not positive
// or the block would reach past the array.
ChannelView ViewChannel(state::Program& p, store::Store s, int channel);

}  // namespace ops
