#include "daq/WaveformRun.h"

#include <algorithm>
#include <span>
#include <vector>

#include "daq/CardState.h"
#include "daq/RecordConversion.h"
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
    // The window acquires the whole record before it answers; its result
    // is the run's, so that a record it refused or that was interrupted is
    // not taken for one acquired.
    r.LiveResult = 0;
    p.QWWin[w]->UserMessage(state::kLiveAcquisition, 0);
    // A shortened record changed the layout of the store.
    state::DataChanged(p, store::Store::W);
    return r.LiveResult;
  }

  p.GoQWAgain = 0;
  // The selection is what the transfer delivers; the store layout follows it.
  const std::vector<int> selected = AcquiredChannels(p);
  const size_t n = selected.size();
  const size_t len = RecordLength(p, n);
  if (len == 0) return 0;

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
  const bool slow = double(len) * double(ref.WPeriod) >= 500.0;
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
    const int pos = simulate ? int(k) : ScanPosition(p, ch);
    // Never scanned: there are no codes to convert.
    const int16_t* codes = pos < 0 ? nullptr : raw.data() + pos;
    ConvertChannelRecord(p, ch, w + k * len, len, codes, stride, taken);
  }
  std::fill(p.WFreq, p.WFreq + store::kChannels, 0);
  r.PocetVln += 1.0f;

  if (slow) p.ui().SetCursor("");
  state::DataChanged(p, store::Store::W);
  return result;
}

}  // namespace daq
