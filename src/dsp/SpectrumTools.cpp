#include "dsp/SpectrumTools.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dsp/ChannelView.h"
#include "dsp/Spectrum.h"
#include "dsp/Zeroing.h"
#include "state/GraphWindows.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace dsp {

double WeightWindow(int j, int n) {
  double a = 2 * std::numbers::pi * double(j) / double(n);
  return 1 - 1.24 * std::cos(a) + 0.244 * std::cos(2 * a) - 0.00305 * std::cos(3 * a);
}

void WeightFunUtil(int n, float* data) {
  for (int j = 0; j < n; ++j) data[j] = float(data[j] * WeightWindow(j, n));
}

void WeightFunUtil_Cursor(int from, int to, float* data) {
  if (to < from) return;
  WeightFunUtil(to - from + 1, data + from);
}

int WeightChannel(state::Program& p, int store, int channel, WeightRange range) {
  ChannelView v = ViewChannel(p, store, channel);
  if (!v) return 0;
  const int n = v.length;
  if (range == WeightRange::Whole) {
    WeightFunUtil(n, v.data);
  } else {
    const store::CG_s* graphs = p.Graphs(store);
    if (!graphs) return 0;
    // Cursors come from a job file: keep them inside the record and in order.
    int a = std::clamp(graphs[channel].Cur1, 0, n - 1);
    int b = std::clamp(graphs[channel].Cur2, 0, n - 1);
    if (a > b) std::swap(a, b);
    WeightFunUtil_Cursor(a, b, v.data);
    if (range == WeightRange::BetweenCursorsZeroOutside) {
      std::fill(v.data, v.data + a, 0.0f);
      std::fill(v.data + b + 1, v.data + n, 0.0f);
    }
  }
  state::DataChanged(p, store);
  return 1;
}

void SpectrumMagnitudes(float* data, int n) {
  const int half = n / 2;
  for (int k = 0; k < half; ++k) {
    data[k] = std::hypot(data[k], data[half + k]);
    data[half + k] = 0.0f;
  }
}

int ToMagUtil(state::Program& p, int store, int channel) {
  if (!state::MemOK(p, store, true)) return 0;
  ChannelView v = ViewChannel(p, store, channel);
  if (!v) return 0;
  if (v.spectrum)
    SpectrumMagnitudes(v.data, v.length);
  else
    for (int i = 0; i < v.length; ++i) v.data[i] = std::fabs(v.data[i]);
  state::DataChanged(p, store);
  return 1;
}

void ZeroSpectrumBins(float* data, int M, int from, int to) {
  if (M < 1) return;
  from = std::max(from, 0);
  to = std::min(to, M);
  if (from > to) return;
  // The store's zeroing over exactly the 2M spectrum values: an odd last
  // sample of the channel is no bin and keeps its value.
  ZeroChannelRange(data, 2 * M, true, from, to);
}

int DigFilUtil(state::Program& p, int pass, int store, int channel, int from, int to) {
  if (!state::MemOK(p, store, true)) return 0;
  ChannelView v = ViewChannel(p, store, channel);
  if (!v) return 0;
  const int M = v.length / 2;
  if (M < 1) return 0;
  // Transforming a spectrum "forward" would invert it and filter the time
  // samples; a declined or refused transform must not zero samples either.
  const bool wasTime = !v.spectrum;
  if (wasTime && !FFT_Command(p, 0, store, channel)) return 0;
  if (pass) {
    if (from != 0) ZeroSpectrumBins(v.data, M, 0, from);
    ZeroSpectrumBins(v.data, M, to, M);
  } else {
    ZeroSpectrumBins(v.data, M, from, to);
  }
  p.Header(store).TriggerFlag = 0;
  if (wasTime) return FFT_Command(p, 0, store, channel);
  state::DataChanged(p, store);
  return 1;
}

}  // namespace dsp
