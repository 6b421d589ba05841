#include "dsp/Smoothing.h"

#include <algorithm>
#include <cmath>
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

void MovingAverage(float* data, const float* copy, int from, int to, int mode, int lastIndex) {
  int n = to - from + 1;
  int w = std::min(mode, n / 2);
  int h = w / 2;
  if (h < 1) return;
  // The running sum is rebuilt now and then so that rounding cannot build up
  // over a long record (a huge value leaving the window would otherwise leave
  // its rounding error behind); the rebuild costs at most one extra add per
  // sample.
  const int rebuildEvery = std::max(w, 4096);
  WindowSum sum;
  const int first = from + h, last = to - h;
  for (int i = first; i <= last; ++i) {
    if ((i - first) % rebuildEvery == 0) {
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

}  // namespace

void Smooth(float* data, float* copy, int from, int to, int mode, int lastIndex) {
  from = std::max(from, 0);
  to = std::min(to, lastIndex);
  if (to - from + 1 < 2) return;
  std::memcpy(copy + from, data + from, sizeof(float) * size_t(to - from + 1));
  static const double k1[] = {0.5, 1.0, 0.5};
  static const double k2[] = {0.25, 0.5, 1.0, 0.5, 0.25};
  static const double k3[] = {0.25, 0.25, 0.35, 0.6, 1.5, 0.6, 0.35, 0.25, 0.25};
  switch (mode) {
    case 1:
      Kernel(data, copy, from, to, k1, 1, 0.5);
      break;
    case 2:  // reads the data itself: samples to the left are already smoothed
      Kernel(data, data, from, to, k2, 2, 0.4);
      break;
    case 3:
      Kernel(data, data, from, to, k3, 4, 1.0 / 4.4);
      break;
    default:
      if (mode >= 4) MovingAverage(data, copy, from, to, mode, lastIndex);
      break;
  }
}

int SmoothWidthFromArgument(int argument) { return argument < 0 ? -1 : std::max(argument, 1); }

}  // namespace dsp
