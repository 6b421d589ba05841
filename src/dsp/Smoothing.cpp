#include "dsp/Smoothing.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace dsp {
namespace {

// Sum of a sliding window in double. Non-finite samples are counted apart so
// that a NaN or infinity spoils only the windows that contain it, as a fresh
// sum per window would, instead of poisoning the running sum for good.
class WindowSum {
 public:
  void Clear() {
    sum_ = 0;
    nan_ = posInf_ = negInf_ = 0;
  }
  void Add(float x) { Count(x, 1); }
  void Remove(float x) { Count(x, -1); }
  float Mean(int width) const {
    if (nan_ > 0 || (posInf_ > 0 && negInf_ > 0)) return std::numeric_limits<float>::quiet_NaN();
    if (posInf_ > 0) return std::numeric_limits<float>::infinity();
    if (negInf_ > 0) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(sum_ / width);
  }

 private:
  void Count(float x, int sign) {
    if (std::isfinite(x))
      sum_ += sign * static_cast<double>(x);
    else if (std::isnan(x))
      nan_ += sign;
    else if (x > 0)
      posInf_ += sign;
    else
      negInf_ += sign;
  }
  double sum_ = 0;
  int nan_ = 0, posInf_ = 0, negInf_ = 0;
};

// Copies n values and answers whether all are finite (an exponent of all
// ones marks NaN and the infinities); the compiler vectorises both.
bool CopyFinite(const float* from, float* to, int n) {
  uint32_t bad = 0;
  for (int i = 0; i < n; ++i) {
    to[i] = from[i];
    bad |= (std::bit_cast<uint32_t>(from[i]) & 0x7F800000u) == 0x7F800000u;
  }
  return bad == 0;
}

// Sum in double of copy[at .. at + w), four partial sums wide.
double FreshSum(const float* copy, int at, int w) {
  double s[4] = {0, 0, 0, 0};
  int j = 0;
  for (; j + 4 <= w; j += 4)
    for (int t = 0; t < 4; ++t) s[t] += double(copy[at + j + t]);
  for (; j < w; ++j) s[0] += double(copy[at + j]);
  return (s[0] + s[1]) + (s[2] + s[3]);
}

// The windows of finite samples: outputs first .. last in chunks of `period`,
// each chunk starting from a fresh sum (so rounding cannot build up, and a
// huge value leaving the window leaves no error behind). A single running sum
// is a chain of dependent additions; kLanes chunks run side by side so that
// their chains overlap.
constexpr int kLanes = 4;

void FiniteAverage(float* data, const float* copy, int first, int last, int w, int h, int period) {
  const double inv = 1.0 / w;
  const long long count = last - first + 1;
  const long long fullChunks = count / period;
  long long chunk = 0;
  for (; chunk + kLanes <= fullChunks; chunk += kLanes) {
    int start[kLanes];
    double sum[kLanes];
    for (int l = 0; l < kLanes; ++l) {
      start[l] = first + int((chunk + l) * period);
      sum[l] = FreshSum(copy, start[l] - h, w);
      data[start[l]] = float(sum[l] * inv);
    }
    // Steps of kStep samples: the differences and the scaling are loops the
    // compiler vectorises, only the running sums themselves stay serial.
    constexpr int kStep = 256;
    double d[kLanes][kStep];
    for (int t0 = 1; t0 < period; t0 += kStep) {
      const int steps = std::min(kStep, period - t0);
      for (int l = 0; l < kLanes; ++l) {
        const float* lead = copy + start[l] + t0 - h + w - 1;
        const float* trail = copy + start[l] + t0 - h - 1;
        for (int t = 0; t < steps; ++t) d[l][t] = double(lead[t]) - double(trail[t]);
      }
      for (int t = 0; t < steps; ++t)
        for (int l = 0; l < kLanes; ++l) {
          sum[l] += d[l][t];
          d[l][t] = sum[l];
        }
      for (int l = 0; l < kLanes; ++l) {
        float* out = data + start[l] + t0;
        for (int t = 0; t < steps; ++t) out[t] = float(d[l][t] * inv);
      }
    }
  }
  for (long long at = first + chunk * period; at <= last; at += period) {
    const int start = int(at), end = int(std::min<long long>(last, at + period - 1));
    double sum = FreshSum(copy, start - h, w);
    data[start] = float(sum * inv);
    for (int i = start + 1; i <= end; ++i) {
      sum += double(copy[i - h + w - 1]) - double(copy[i - h - 1]);
      data[i] = float(sum * inv);
    }
  }
}

// Makes the copy of data[from .. to] itself, a block at a time just ahead of
// the windows, so that the windows read it from the cache.
void MovingAverage(float* data, float* copy, int from, int to, int mode, int lastIndex) {
  int n = to - from + 1;
  int w = std::min(mode, n / 2);
  int h = w / 2;
  int copied = from;  // copy[from .. copied) is made
  bool finite = true;
  auto copyUpTo = [&](int end) {
    end = std::min(end, to + 1);
    if (end > copied) finite = CopyFinite(data + copied, copy + copied, end - copied) && finite;
    copied = std::max(copied, end);
  };
  if (h < 1) {
    copyUpTo(to + 1);
    return;
  }
  // A fresh sum every `period` outputs costs at most one extra add per sample.
  const int period = std::max(w, 4096);
  const int first = from + h, last = to - h;
  int i = first;
  while (i <= last) {
    // Outputs i .. end read the samples up to end - h + w - 1, which the
    // outputs written so far have not reached.
    const int end = int(std::min<long long>(last, i + (long long)kLanes * period - 1));
    copyUpTo(end - h + w);
    if (!finite) break;
    FiniteAverage(data, copy, i, end, w, h, period);
    i = end + 1;
  }
  copyUpTo(to + 1);
  WindowSum sum;
  for (int start = i; i <= last; ++i) {
    if ((i - start) % period == 0) {
      sum.Clear();
      for (int j = i - h; j <= i - h + w - 1; ++j) sum.Add(copy[j]);
    } else {
      sum.Remove(copy[i - h - 1]);
      sum.Add(copy[i - h + w - 1]);
    }
    data[i] = sum.Mean(w);
  }
  // The ends the window cannot reach are flattened. The flat run follows the
  // width actually used: taken from a width that was cut to n / 2 it could
  // reach past the channel.
  const int k = w / 2 + 1;
  if (from == 0)
    for (int j = 0; j < k; ++j) data[j] = data[k];
  if (to == lastIndex) {
    float v = data[to - k];
    for (int j = to - k; j <= to; ++j) data[j] = v;
  }
}

// Kernel positions beyond the range take its end sample.
inline int Clamp(int i, int from, int to) { return i < from ? from : (i > to ? to : i); }

void Kernel(float* data, const float* src, int from, int to, const double* kernel, int half, double scale) {
  for (int i = from; i <= to; ++i) {
    double acc = 0;
    for (int t = -half; t <= half; ++t) acc += kernel[t + half] * src[Clamp(i + t, from, to)];
    data[i] = static_cast<float>(acc * scale);
  }
}

// The kernels that read their own output (modes 2 and 3): each sample waits
// for the one before it, so the pace is the latency of that chain. The
// smoothed samples stay in registers instead of going through memory.
template <int H>
void RecursiveKernel(float* data, int from, int to, const double* kernel, double scale) {
  auto clamped = [&](int i) {
    double acc = 0;
    for (int t = -H; t <= H; ++t) acc += kernel[t + H] * data[Clamp(i + t, from, to)];
    data[i] = static_cast<float>(acc * scale);
  };
  int i = from;
  for (; i <= to && i < from + H; ++i) clamped(i);
  if (i <= to - H) {
    double y[H];  // y[t - 1] = data[i - t], already smoothed
    for (int t = 1; t <= H; ++t) y[t - 1] = data[i - t];
    for (; i <= to - H; ++i) {
      // The order of the sum is the clamped one's, so the numbers are too.
      double acc = 0;
      for (int t = H; t >= 1; --t) acc += kernel[H - t] * y[t - 1];
      for (int t = 0; t <= H; ++t) acc += kernel[H + t] * data[i + t];
      const float v = static_cast<float>(acc * scale);
      data[i] = v;
      for (int t = H - 1; t >= 1; --t) y[t] = y[t - 1];
      y[0] = v;
    }
  }
  for (; i <= to; ++i) clamped(i);
}

}  // namespace

void Smooth(float* data, float* copy, int from, int to, int mode, int lastIndex) {
  from = std::max(from, 0);
  to = std::min(to, lastIndex);
  if (to - from + 1 < 2) return;
  if (mode >= 4) {
    MovingAverage(data, copy, from, to, mode, lastIndex);
    return;
  }
  std::memcpy(copy + from, data + from, sizeof(float) * size_t(to - from + 1));
  static const double k1[] = {0.5, 1.0, 0.5};
  static const double k2[] = {0.25, 0.5, 1.0, 0.5, 0.25};
  static const double k3[] = {0.25, 0.25, 0.35, 0.6, 1.5, 0.6, 0.35, 0.25, 0.25};
  switch (mode) {
    case 1:
      Kernel(data, copy, from, to, k1, 1, 0.5);
      break;
    case 2:  // reads the data itself: samples to the left are already smoothed
      RecursiveKernel<2>(data, from, to, k2, 0.4);
      break;
    case 3:
      RecursiveKernel<4>(data, from, to, k3, 1.0 / 4.4);
      break;
    default:
      break;
  }
}

int SmoothWidthFromArgument(int argument) { return argument < 0 ? -1 : std::max(argument, 1); }

}  // namespace dsp
