#include "graph/GraphScaleMath.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "store/GraphSettings.h"
#include "store/Utilities.h"

namespace graph {
namespace {

std::string Format(const char* format, double v) {
  char b[64];
  std::snprintf(b, sizeof b, format, v);
  return b;
}

std::string Trimmed(std::string s) {
  size_t k = s.find_first_not_of(' ');
  return k == std::string::npos ? std::string() : s.substr(k);
}

}  // namespace

int ValueDivisions(int plotH, uint16_t scaleDiv, float fixedStep) {
  const int byCount = scaleDiv & store::kScaleDivMask;
  if (!(fixedStep > 0) && byCount >= 1 && byCount <= 15) return byCount;
  return plotH < 200 ? 3 : plotH < 300 ? 4 : plotH < 400 ? 5 : plotH < 500 ? 6 : 7;
}

int TimeDivisions(int plotW, uint16_t scaleDiv, float fixedStep) {
  const int byCount = (scaleDiv >> store::kScaleDivTimeShift) & store::kScaleDivMask;
  if (fixedStep < 0 && byCount >= 1 && byCount <= 15) return byCount;
  return plotW < 100 ? 3 : plotW < 200 ? 4 : plotW < 300 ? 5 : plotW < 400 ? 6 : plotW < 500 ? 7 : 8;
}

double NiceStep(double raw, double pStart) {
  const double r = std::fabs(raw);
  if (!(r > 0) || !std::isfinite(r) || r > pStart) return 0;
  double p = pStart;
  // Bounded: from 1e9 down to the smallest double takes ~330 steps.
  for (int k = 0; k < 400 && p > r; ++k) p *= 0.1;
  if (!(p > 0)) return 0;
  double s = r < 1.4 * p ? p : r < 2.2 * p ? 2 * p : r < 4 * p ? 2.5 * p : r < 7.5 * p ? 5 * p : 10 * p;
  // Eight significant digits take away the noise of the repeated 0.1 steps.
  s = std::strtod(Format("%.7e", s).c_str(), nullptr);
  return raw < 0 ? -s : s;
}

Ticks ScaleTicks(double lo, double hi, int divisions, double fixedStep, double pStart) {
  Ticks t;
  if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo) || divisions < 1) return t;
  const double range = hi - lo;
  double step = 0;
  if (fixedStep > 0 && std::isfinite(fixedStep) && range / fixedStep <= kMaxTicks)
    step = NiceStep(fixedStep, pStart);
  if (step == 0 || !(range / step <= kMaxTicks)) step = NiceStep(range / divisions, pStart);
  if (!(step > 0) || !(range / step <= kMaxTicks)) return t;
  double first = std::trunc(lo / step) * step;
  if (!(first > lo)) first += step;
  if (!(first > lo)) return t;  // the step is lost against the size of lo
  int n = 0;
  while (n < kMaxTicks && first + n * step < hi) ++n;
  t.first = first;
  t.step = step;
  t.count = n;
  return t;
}

std::string ValueLabel(double t, double vMax, double vMin, bool extraDecimal, bool* exponent) {
  if (exponent) *exponent = true;
  if (std::fabs(t) > 99999) return Format("%5.2e", t);
  if (vMax > 0.01 || vMin < -0.01) {
    std::string s;
    int width = store::PocetDigit(vMax, vMin) + (extraDecimal ? 1 : 0);
    if (store::FloatNumToVarTextFormat(s, 1, width, t)) {
      if (exponent) *exponent = false;
      return Trimmed(s);
    }
  }
  return Format("%4.2e", t);
}

std::string TimeLabel(double t, double a, double b) {
  std::string s;
  if (store::FloatNumToVarTextFormat(s, 1, store::PocetDigit(b, a), t)) return Trimmed(s);
  return Format("%g", t);
}

AxisUnit TimeAxisUnit(double rightEnd, bool spectrum, bool longTimes) {
  if (spectrum) return rightEnd >= 1000 ? AxisUnit{0.001, "kHz", 0} : AxisUnit{1, "Hz", 0};
  if (!longTimes) return rightEnd >= 1 ? AxisUnit{1, "s    ", 0} : AxisUnit{1000, "ms", 0};
  if (rightEnd < 60) return {1, "s    ", 0};
  if (rightEnd < 3600) return {1.0 / 60, "min.", 0};
  if (rightEnd < 172800) return {1.0 / 3600, "", 1235};
  return {1.0 / 86400, "", 1236};
}

std::string PrefixWord(int prefixCode, bool* withText100) {
  static const char* const kWords[] = {"No U", "micro", "mili", " ", "kilo", "mega"};
  int index = prefixCode <= 1 ? 0 : prefixCode - 1;
  *withText100 = false;
  if (index >= 100) {
    *withText100 = true;
    index -= 100;
  }
  if (index < 0 || index >= 6) return "";
  return kWords[index];
}

}  // namespace graph
