// Helpers of the channel algebra tests: a store laid out with chosen
// channels and values, and a byte snapshot of everything the operations may
// touch, so a refusal can be shown to leave the stores exactly as they were.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/Defaults.h"
#include "store/FixedText.h"

namespace algebra_test {

// Makes exactly `channels` (0-based) active with `length` samples, sample k of
// channel ch = value(ch, k).
inline void Layout(state::Program& p, int store, std::initializer_list<int> channels, int32_t length,
                   const std::function<float(int, int)>& value) {
  store::Header_s& h = p.Header(store::StoreFromFlag(store));
  for (int i = 0; i < store::kChannels; ++i) h.ChannelOn[i] = 0;
  h.Length = length;
  int block = 0;
  for (int ch : channels) {
    h.ChannelOn[ch] = 1;
    store::Channel_s& c = p.Channels(store::StoreFromFlag(store))[ch];
    c = store::FGW0;
    store::CopyText(c.Name, "Ch" + std::to_string(ch + 1));
    c.Step = 0.01f;
    p.Freq(store::StoreFromFlag(store))[ch] = 0;
    float* s = p.Samples(store::StoreFromFlag(store)) + size_t(block) * size_t(length);
    for (int k = 0; k < length; ++k) s[k] = value(ch, k);
    ++block;
  }
  h.ChannelCount = int16_t(block);
}

// The samples of an active channel, located independently of Pocatek.
inline std::vector<float> ChannelData(const state::Program& p, int store, int channel) {
  const store::Header_s& h = store ? p.HGW : p.HGB;
  if (!h.ChannelOn[channel]) return {};
  int below = 0;
  for (int i = 0; i < channel; ++i) below += h.ChannelOn[i] ? 1 : 0;
  const float* s = p.Samples(store::StoreFromFlag(store)) + size_t(below) * size_t(h.Length);
  return std::vector<float>(s, s + h.Length);
}

struct Snapshot {
  explicit Snapshot(const state::Program& p) {
    Add(&p.HGW, sizeof p.HGW);
    Add(&p.HGB, sizeof p.HGB);
    Add(p.FGW.get(), p.FGW.bytes());
    Add(p.FGB.get(), p.FGB.bytes());
    Add(p.Waveform.get(), p.Waveform.bytes());
    Add(p.Buffer.get(), p.Buffer.bytes());
    Add(p.WFreq, sizeof p.WFreq);
    Add(p.BFreq, sizeof p.BFreq);
  }
  void Add(const void* d, size_t n) {
    const auto* b = static_cast<const uint8_t*>(d);
    bytes.insert(bytes.end(), b, b + n);
  }
  bool operator==(const Snapshot& o) const { return bytes == o.bytes; }
  std::vector<uint8_t> bytes;
};

}  // namespace algebra_test
