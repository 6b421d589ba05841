#include "daq/Conversion.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "daq/CardState.h"
#include "state/Program.h"

namespace daq {

double FullScale(const state::Program& p, int rangeIndex) {
  if (Simulating(p) || rangeIndex < 1 || rangeIndex > 6) return 5.0;
  double f = Card(const_cast<state::Program&>(p)).ScanAI_maximum_of_range[rangeIndex - 1];
  return f > 0.0 && std::isfinite(f) ? f : 5.0;
}

ChannelConversion MakeConversion(const state::Program& p, int channel) {
  ChannelConversion conv;
  if (channel < 0 || channel >= store::kChannels || !p.A) {
    conv.zero = true;
    return conv;
  }
  const store::A_s& r = p.A[size_t(channel)];
  if (!(r.CalInput2 > r.CalInput1)) {
    conv.zero = true;
    return conv;
  }
  double k = 32768.0 / FullScale(p, r.RangeIndex);
  double c1 = k * r.CalInput1, c2 = k * r.CalInput2;
  // v = (CalValue2 - CalValue1) (x - c1) / (c2 - c1) + CalValue1, as x * slope + offset.
  conv.slope = (double(r.CalValue2) - r.CalValue1) / (c2 - c1);
  conv.offset = r.CalValue1 - c1 * conv.slope;

  if (!p.TextKalib || !p.Kalib_In || !p.Kalib_Out) return conv;
  float count = p.KalibIn(0, channel);
  if (!(count >= 1.0f)) return conv;  // also NaN
  int n = int(std::min(count, float(state::kMaxKalibPoints)));
  // The tables keep their file order; the lookup needs them ascending by input.
  // A stable sort keeps points with equal inputs in file order.
  std::vector<int> order(static_cast<size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return p.KalibIn(channel + 1, a) < p.KalibIn(channel + 1, b); });
  conv.in.reserve(size_t(n));
  conv.out.reserve(size_t(n));
  for (int i : order) {
    conv.in.push_back(p.KalibIn(channel + 1, i));
    conv.out.push_back(p.KalibOut(channel + 1, i));
  }
  return conv;
}

float ChannelConversion::Table(float v) const {
  size_t n = in.size();
  if (v <= in[0]) return out[0];
  if (v >= in[n - 1]) return out[n - 1];
  if (std::isnan(v)) return v;
  size_t i = size_t(std::upper_bound(in.begin(), in.end(), v) - in.begin());  // first In_i > v
  float dx = in[i] - in[i - 1];
  if (dx == 0.0f) return 1.0f;
  return out[i - 1] + (out[i] - out[i - 1]) * (v - in[i - 1]) / dx;
}

float AD_Kalibrace(const state::Program& p, float code, int16_t ch) { return MakeConversion(p, ch)(code); }

void ConvertCodes(const ChannelConversion& conv, const int16_t* codes, size_t stride, size_t count,
                  float* out) {
  if (conv.zero) {
    std::fill(out, out + count, 0.0f);
    return;
  }
  const double slope = conv.slope, offset = conv.offset;
  if (stride == 1) {
    for (size_t i = 0; i < count; ++i) out[i] = float(codes[i] * slope + offset);
  } else {
    for (size_t i = 0; i < count; ++i) out[i] = float(codes[i * stride] * slope + offset);
  }
  if (!conv.in.empty())
    for (size_t i = 0; i < count; ++i) out[i] = conv.Table(out[i]);
}

}  // namespace daq
