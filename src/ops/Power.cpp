#include "ops/Power.h"

#include <algorithm>

#include "ops/ChannelView.h"
#include "state/Program.h"

namespace ops {
namespace {

// An active W channel holding time samples, or an empty view.
ChannelView TimeChannel(state::Program& p, int channel) {
  ChannelView v = ViewChannel(p, store::Store::W, channel);
  return v && !v.spectrum ? v : ChannelView{};
}

}  // namespace

int GetHarm(state::Program& p, int channel, float fundamental, int count, float* out) {
  if (!out || count <= 0) return 0;
  ChannelView v = TimeChannel(p, channel);
  if (!v) {
    std::fill(out, out + count, 0.0f);
    return 0;
  }
  return dsp::HarmonicMagnitudes(v.data, v.length, v.step, fundamental, count, out);
}

int CinitelZkresleni(state::Program& p, int channel, int harmonics, float& factor) {
  factor = 0;
  ChannelView v = TimeChannel(p, channel);
  if (!v) return 0;
  return dsp::DistortionFactor(v.data, v.length, v.step, harmonics, factor);
}

int Faze_UI(state::Program& p, int channelU, int channelI, bool betweenCursors, int32_t from, int32_t to,
            float frequency, dsp::PowerResults& out) {
  out = dsp::PowerResults{};
  ChannelView u = TimeChannel(p, channelU);
  ChannelView i = TimeChannel(p, channelI);
  if (!u || !i) return 0;
  int64_t a = from, b = to;
  if (betweenCursors && p.CGW) {
    a = p.CGW[size_t(channelU)].Cur1;
    b = p.CGW[size_t(channelU)].Cur2;
  }
  if (!dsp::PowerAnalysis(u.data, i.data, u.length, u.step, a, b, frequency, out)) return 0;
  out.StatCursor = betweenCursors ? 1 : 0;
  p.StatCursor = out.StatCursor;  // what a printed statistics panel covers from now on
  return 1;
}

}  // namespace ops
