// A program with a filled waveform store and a graph window on it.
#pragma once

#include <memory>
#include <vector>

#include "graph/GraphModel.h"
#include "state/StoreAccess.h"
#include "support/TestSupport.h"

namespace graph_test {

inline const int32_t kRect[4] = {0, 0, 600, 400};

struct GraphFixture {
  explicit GraphFixture(int32_t totalSamples = 65536, bool texts = false)
      : env(totalSamples, texts), p(env.prog) {}

  // Puts `data` into waveform channel `chan` as the only content of the
  // store (or beside the channels already put there, for equal lengths).
  void Store(const std::vector<float>& data, int chan = 0) {
    p.HGW.ChannelOn[chan] = 1;
    p.HGW.Length = int32_t(data.size());
    int start = state::Pocatek(p, store::Store::W, chan);
    for (size_t i = 0; i < data.size(); ++i) p.Waveform[size_t(start) + i] = data[i];
  }

  std::unique_ptr<graph::TDispl10> Open(int chan = 0, const int32_t* rect = kRect) {
    auto w = std::make_unique<graph::TDispl10>(p, "test", store::Store::W, int16_t(chan),
                                               state::Pocatek(p, store::Store::W, chan), rect);
    w->DisplInit();
    return w;
  }
  // The same, painted once.
  std::unique_ptr<graph::TDispl10> Painted(int chan = 0) {
    auto w = Open(chan);
    w->Paint();
    return w;
  }

  store::CG_s& G(int chan = 0) { return p.CGW[size_t(chan)]; }
  // The view of channel 1: samples il..ir, values bottom..top.
  void View(int32_t il, int32_t ir) {
    G().IL = il;
    G().IR = ir;
  }
  void Range(float top, float bottom) {
    G().VMax = top;
    G().VMin = bottom;
  }

  testing_support::TestEnv env;
  state::Program& p;
};

// The drawing calls a window made on its recording surface.
inline platform::RecordingCanvas& Rec(graph::TDispl10& w) {
  return static_cast<platform::RecordingCanvas&>(w.Surface());
}

// A paint from a cleared recording.
inline void Repaint(graph::TDispl10& w) {
  Rec(w).Clear();
  w.Paint();
}

inline std::vector<float> Ramp(int n) {
  std::vector<float> v(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) v[size_t(i)] = float(i);
  return v;
}

}  // namespace graph_test
