// What every waveform acquisition shares, block or live: the raw buffer of
// one record and the conversion of its codes into the W store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace state {
struct Program;
}

namespace daq {

// The raw codes of one acquisition, zero-filled and counted in
// TotalDataAlloc while held.
class RawBuffer {
 public:
  explicit RawBuffer(state::Program& p) : p_(p) {}
  ~RawBuffer();
  RawBuffer(const RawBuffer&) = delete;
  RawBuffer& operator=(const RawBuffer&) = delete;
  // False when the allocation limit or the memory refuses it.
  bool Allocate(size_t count);
  std::span<int16_t> span() { return {codes_.get(), count_}; }
  int16_t* data() { return codes_.get(); }

 private:
  struct Free {
    void operator()(int16_t* c) const;
  };
  state::Program& p_;
  std::unique_ptr<int16_t, Free> codes_;
  size_t count_ = 0;
};

// The channels acquired into the W store (MG), in store order.
std::vector<int> AcquiredChannels(const state::Program& p);

// The record length of `channels` channels; 0 when there is nothing to
// acquire or, said with text 423, when the W store cannot hold it.
size_t RecordLength(state::Program& p, size_t channels);

// Waits (at most a second) until no key or button is pending.
void WaitForNoInput(state::Program& p);

// The end of every acquisition for one channel `ch` whose record is `block`
// (len samples): `taken` codes read every `stride` from `codes` are counted
// into the A/D test histogram, or converted and written over, added to or
// averaged into the block as the channel's WAdd/WAverage ask; samples from
// `taken` on become 0 (a histogram keeps them). Null codes: the card never
// scanned the channel; it gets 0, said once per run on the status line.
void ConvertChannelRecord(state::Program& p, int ch, float* block, size_t len, const int16_t* codes,
                          size_t stride, size_t taken);

// Whether live values may be written straight into the channel's record
// while it is acquired: not into a histogram nor over a sum or mean that the
// conversion at the end still accumulates into.
[[nodiscard]] bool WritesLiveValues(state::Program& p, int ch);

}  // namespace daq
