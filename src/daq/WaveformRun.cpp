#include "daq/WaveformRun.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "daq/CardState.h"
#include "daq/Conversion.h"
#include "daq/RunCommon.h"
#include "daq/RunState.h"
#include "daq/Sampling.h"
#include "daq/Simulation.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/UserMessages.h"

namespace daq {
namespace {

// The status line's note about channels the card cannot scan.
constexpr const char* kHighChannelsText = "Kanály nad 32 karta neměří: jejich hodnoty jsou 0";

// The raw codes of one acquisition, counted in TotalDataAlloc while held.
class RawBuffer {
 public:
  RawBuffer(state::Program& p) : p_(p) {}
  ~RawBuffer() {
    if (codes_) p_.TotalDataAlloc -= double(count_) * sizeof(int16_t);
  }
  bool Allocate(size_t count) {
    double bytes = double(count) * sizeof(int16_t);
    if (p_.AllocationLimit >= 0 && p_.TotalDataAlloc + bytes > p_.AllocationLimit) return false;
    codes_.reset(static_cast<int16_t*>(std::calloc(count ? count : 1, sizeof(int16_t))));
    if (!codes_) return false;
    count_ = count;
    p_.TotalDataAlloc += bytes;
    return true;
  }
  std::span<int16_t> span() { return {codes_.get(), count_}; }
  int16_t* data() { return codes_.get(); }

 private:
  struct Free {
    void operator()(int16_t* c) const { std::free(c); }
  };
  state::Program& p_;
  std::unique_ptr<int16_t, Free> codes_;
  size_t count_ = 0;
};

// Esc/Pause after each simulated scan; `taken` is the number of scans kept.
bool SimulateScans(state::Program& p, std::span<int16_t> raw, size_t scans, size_t n, size_t& taken) {
  CardState& c = Card(p);
  int phase = c.SimPhase;
  for (size_t s = 0; s < scans; ++s) {
    int16_t* scan = raw.data() + s * n;
    for (size_t k = 0; k < n; ++k) scan[k] = SimWaveformCode(p, phase);
    phase = SimNextPhase(phase);
    if (p.ui().EscapePressed()) {
      c.SimPhase = phase;
      taken = s;
      return false;
    }
  }
  c.SimPhase = phase;
  taken = scans;
  return true;
}

void WaitForNoInput(state::Program& p) {
  uint32_t start = NowMs(p);
  while (p.ui().InputPending() && NowMs(p) - start < 1000)
    if (p.plat.clock) p.plat.clock->SleepMs(1);
}

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

int TRV_QW(state::Program& p) {
  if (!p.A || !p.Waveform) return 0;
  RunState& r = Runs(p);
  const store::A_s& ref = p.RefA();

  p.PG.Flags = int16_t(p.PG.Flags | store::kPgKeepInterrupted);
  SetRequests(p);
  p.INTERRUPT = 0;

  if (ref.Flags153 & store::kAWLive) {
    int w = FirstWaveformWindow(p);
    if (w < 0) {
      state::MessT(p, 1304, 11);
      return 0;
    }
    p.QWWin[w]->UserMessage(state::kLiveAcquisition, 0);
    return 1;
  }

  p.GoQWAgain = 0;
  // The selection is what the transfer delivers; the store layout follows it.
  std::vector<int> selected;
  for (int ch = 0; ch < store::kChannels; ++ch)
    if (p.MG.Acquire[ch]) selected.push_back(ch);
  const size_t n = selected.size();
  const long long length = p.HGW.Length;
  const long long capacity = std::min<long long>(p.DG.TotalSamples, p.PW);
  if (n == 0 || length <= 0) return 0;
  if (double(n) * double(length) > double(capacity)) {
    state::MessT(p, 423, 13);
    return 0;
  }
  const size_t len = size_t(length);

  const bool simulate = Simulating(p);
  // The card scans only inputs 0..31: its transfer holds one code per
  // scanned channel, in scan order.
  size_t stride = n;
  if (!simulate) {
    stride = 0;
    for (int ch : selected)
      if (ch < kScanSize) ++stride;
  }
  RawBuffer raw(p);
  if (!raw.Allocate(std::max<size_t>(stride, 1) * len)) {
    state::MessT(p, 369, 14);
    return 0;
  }
  const bool slow = double(length) * double(ref.WPeriod) >= 500.0;
  if (slow) p.ui().SetCursor("AQT");
  WaitForNoInput(p);

  int result = 1;
  size_t taken = len;
  if (simulate) {
    if (!SimulateScans(p, raw.span(), len, n, taken)) {
      p.INTERRUPT = 1;
      p.GoQWAgain = 1;
      result = 0;
    }
  } else if (stride > 0) {
    if (!BOARD_GetData_FIFO(p, raw.span(), long(len), ref.BaseAddress)) result = 0;
  }

  float* w = p.Waveform.get();
  for (size_t k = 0; k < n; ++k) {
    const int ch = selected[k];
    float* block = w + k * len;
    int pos = simulate ? int(k) : ScanPosition(p, ch);
    if (pos < 0) {
      // Never scanned: there are no codes to convert.
      std::fill(block, block + len, 0.0f);
      if (!r.HighChannelsReported) {
        r.HighChannelsReported = true;
        state::TS(p, kHighChannelsText);
      }
      continue;
    }
    const int16_t* codes = raw.data() + pos;
    if (r.DoADTest) {
      // Histogram bins are counts, not samples: the scans not taken leave
      // them as they were.
      CountCodes(codes, stride, taken, p.ADBits, block, len);
      continue;
    } else {
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
    }
    std::fill(block + taken, block + len, 0.0f);
  }
  std::fill(p.WFreq, p.WFreq + store::kChannels, 0);
  r.PocetVln += 1.0f;

  if (slow) p.ui().SetCursor("");
  state::DataChanged(p, store::Store::W);
  return result;
}

}  // namespace daq
