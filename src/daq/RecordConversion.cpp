#include "daq/RecordConversion.h"

#include <algorithm>
#include <cstdlib>

#include "daq/Conversion.h"
#include "daq/RunCommon.h"
#include "daq/RunState.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace daq {
namespace {

// The status line's note about channels the card cannot scan.
constexpr const char* kHighChannelsText = "Kanály nad 32 karta neměří: jejich hodnoty jsou 0";

// Counts each code of one channel into its histogram block.
void CountCodes(const int16_t* codes, size_t stride, size_t scans, int bits, float* block, size_t length) {
  if (bits != 12 && bits != 14 && bits != 16) return;
  const long offset = 1L << (bits - 1);
  const long top = (1L << bits) - 1;
  for (size_t s = 0; s < scans; ++s) {
    long x = long(codes[s * stride]) + offset;
    if (x < 0 || x > top || size_t(x) >= length) continue;
    block[x] += 1.0f;
  }
}

}  // namespace

RawBuffer::~RawBuffer() {
  if (codes_) p_.TotalDataAlloc -= double(count_) * sizeof(int16_t);
}

void RawBuffer::Free::operator()(int16_t* c) const { std::free(c); }

bool RawBuffer::Allocate(size_t count) {
  double bytes = double(count) * sizeof(int16_t);
  if (p_.AllocationLimit >= 0 && p_.TotalDataAlloc + bytes > p_.AllocationLimit) return false;
  codes_.reset(static_cast<int16_t*>(std::calloc(count ? count : 1, sizeof(int16_t))));
  if (!codes_) return false;
  count_ = count;
  p_.TotalDataAlloc += bytes;
  return true;
}

std::vector<int> AcquiredChannels(const state::Program& p) {
  std::vector<int> selected;
  for (int ch = 0; ch < store::kChannels; ++ch)
    if (p.MG.Acquire[ch]) selected.push_back(ch);
  return selected;
}

size_t RecordLength(state::Program& p, size_t channels) {
  const long long length = p.HGW.Length;
  const long long capacity = std::min<long long>(p.DG.TotalSamples, p.PW);
  if (channels == 0 || length <= 0) return 0;
  if (double(channels) * double(length) > double(capacity)) {
    state::MessT(p, 423, 13);
    return 0;
  }
  return size_t(length);
}

void WaitForNoInput(state::Program& p) {
  uint32_t start = NowMs(p);
  while (p.ui().InputPending() && NowMs(p) - start < 1000)
    if (p.plat.clock) p.plat.clock->SleepMs(1);
}

bool WritesLiveValues(state::Program& p, int ch) {
  return !Runs(p).DoADTest && !(p.A[size_t(ch)].Flags152 & store::kAAccumulate);
}

void ConvertChannelRecord(state::Program& p, int ch, float* block, size_t len, const int16_t* codes,
                          size_t stride, size_t taken) {
  RunState& r = Runs(p);
  taken = std::min(taken, len);
  if (!codes) {
    std::fill(block, block + len, 0.0f);
    if (!r.HighChannelsReported) {
      r.HighChannelsReported = true;
      state::TS(p, kHighChannelsText);
    }
    return;
  }
  if (r.DoADTest) {
    // Histogram bins are counts, not samples: the scans not taken leave
    // them as they were.
    CountCodes(codes, stride, taken, p.ADBits, block, len);
    return;
  }
  const store::A_s& a = p.A[size_t(ch)];
  ChannelConversion conv = MakeConversion(p, ch);
  if (!(a.Flags152 & store::kAAccumulate)) {
    ConvertCodes(conv, codes, stride, taken, block);
  } else {
    std::vector<float> v(taken);
    ConvertCodes(conv, codes, stride, taken, v.data());
    if (a.WAverage == 0) {
      for (size_t s = 0; s < taken; ++s) block[s] += v[s];
    } else {
      const float m = r.PocetVln;
      for (size_t s = 0; s < taken; ++s) block[s] = (block[s] * (m - 1.0f) + v[s]) / m;
    }
  }
  std::fill(block + taken, block + len, 0.0f);
}

}  // namespace daq
