// The bytes of both stores, their records and settings, to show that a
// refused operation or file left them exactly as they were.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "state/Program.h"

namespace testing_support {

struct StoreSnapshot {
  explicit StoreSnapshot(const state::Program& p) {
    Add(&p.IG, sizeof p.IG);
    Add(&p.HGW, sizeof p.HGW);
    Add(&p.HGB, sizeof p.HGB);
    Add(p.FGW.get(), p.FGW.bytes());
    Add(p.FGB.get(), p.FGB.bytes());
    Add(p.CGW.get(), p.CGW.bytes());
    Add(p.CGB.get(), p.CGB.bytes());
    Add(p.Waveform.get(), p.Waveform.bytes());
    Add(p.Buffer.get(), p.Buffer.bytes());
    Add(p.WFreq, sizeof p.WFreq);
    Add(p.BFreq, sizeof p.BFreq);
  }
  void Add(const void* data, size_t n) {
    const auto* b = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), b, b + n);
  }
  bool operator==(const StoreSnapshot& o) const { return bytes == o.bytes; }
  std::vector<uint8_t> bytes;
};

}  // namespace testing_support
