// The information bar under the plot: sample indices, values and times of the
// two cursors and their differences. It runs on every cursor move, so it
// draws only its own strip and formats into fixed buffers.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"
#include "state/StoreUtilities.h"

namespace graph {
namespace {

uint32_t Rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

constexpr int kCellH = 14, kCellW = 6;
constexpr int kTextAbove = 20;  // text top above the client bottom

struct Num {
  char s[48];
};

Num ValueText(double v) {
  Num n;
  const double a = std::fabs(v);
  const char* f = a > 9999999 ? "%10.3e" : a >= 1000 ? "%10.1f" : a >= 1 ? "%10.3f" : "%10.6f";
  std::snprintf(n.s, sizeof n.s, f, v);
  return n;
}

Num TimeText(double v) {
  Num n;
  const double a = std::fabs(v);
  std::snprintf(n.s, sizeof n.s, a > 9999 ? "%8.2e" : a >= 100 ? "%9.2f" : "%9.5f", v);
  return n;
}

// The factor and unit that make the cursor times readable.
struct TimeUnit {
  double factor;
  const char* name;
};

TimeUnit CursorTimeUnit(double t2, double d, bool spectrum, bool longTimes) {
  if (spectrum)
    return std::fabs(d) >= 1000 || std::fabs(t2) >= 1000 ? TimeUnit{0.001, "kHz "} : TimeUnit{1, "Hz  "};
  if (longTimes) {
    const double a = std::fabs(d);
    if (a < 60) return {1, "s     "};
    return a / 60 >= 120 ? TimeUnit{1.0 / 3600, "hod"} : TimeUnit{1.0 / 60, "min"};
  }
  static const char* const kSmaller[] = {"ms ", "us ", "ns "};
  TimeUnit u{1, "s   "};
  for (int k = 0; k < 3 && std::fabs(d * u.factor) < 1; ++k) u = {u.factor * 1000, kSmaller[k]};
  return u;
}

}  // namespace

void TDispl10::TextInfoCreateRefresh() {
  if (broken_ || InfoBarH <= 0 || ClientW <= 0) return;
  const store::CG_s& g = Own();
  platform::Canvas& dc = *surface_;
  const bool black = (g.DisplFlags & store::kDisplWhiteWindow) != 0;
  dc.FillRect(0, ClientH - InfoBarH, ClientW, ClientH, black ? Rgb(255, 255, 255) : Rgb(192, 192, 192));
  if (g.CursorCount <= 0 || PlotW <= 1) return;
  const bool two = g.CursorCount >= 2;
  const int y = ClientH - kTextAbove;
  platform::Font font;
  font.height = kCellH;
  font.width = kCellW;
  dc.SetFont(font);
  auto put = [&](int x, const char* text) {
    return dc.Text({x, y}, text, platform::HAlign::Left, platform::VAlign::Top);
  };
  int leftEnd = 0, rightStart = ClientW;

  if (g.InfoIndex) {
    dc.SetTextColor(black ? 0 : Rgb(128, 128, 0));
    char a[48], b[48], d[48];
    if (g.XYPlot) {
      std::snprintf(a, sizeof a, "%10.2f", double(g.XCur1));
      std::snprintf(b, sizeof b, "%10.2f", double(g.XCur2));
      std::snprintf(d, sizeof d, "%10.2f", double(g.XCur2) - g.XCur1);
    } else {
      std::snprintf(a, sizeof a, "%8lld", (long long)g.Cur1 - g.ZeroIndex);
      std::snprintf(b, sizeof b, "%8lld", (long long)g.Cur2 - g.ZeroIndex);
      std::snprintf(d, sizeof d, "%8lld", (long long)g.Cur2 - g.Cur1);
    }
    leftEnd = 5 + put(5, a);
    if (two) {
      put(ClientW - 59, b);
      put(ClientW - 119, d);
      rightStart = ClientW - 119;
    }
  }

  if (g.InfoValue) {
    // The horizontal lines are the values in style 1 (strips have none);
    // otherwise the trace under the cursor, of the active channel.
    const bool lines = g.CursorStyle == 1 && !(g.Multi && (g.MultiFlags & store::kMultiStrips));
    auto at = [&](int32_t index, int16_t x, float line) -> double {
      if (lines || g.XYPlot || !series_ || NShown <= 0) return line;
      if (SPP < 1.0f) return CursorMagnitude(x);
      return series_[std::clamp(index, 0, NShown - 1)];
    };
    const double v1 = at(g.Cur1, CurX1, g.HCur1), v2 = at(g.Cur2, CurX2, g.HCur2);
    dc.SetTextColor(black ? 0 : Rgb(0, 128, 0));
    leftEnd = 65 + put(65, ValueText(v1).s);
    if (two) {
      // Left of the index read-outs, in the same order.
      const int right = rightStart - 10;
      const int w = dc.TextWidth(ValueText(v2).s);
      put(right - w, ValueText(v2).s);
      put(right - 2 * w - 10, ValueText(v2 - v1).s);
      rightStart = right - 2 * w - 10;
    }
  }

  if (g.InfoTime && !g.XYPlot && NShown > 0) {
    const int chan = DataChannel();
    const store::Channel_s* ch = p_.Channels(IsW) ? &p_.Channels(IsW)[chan] : nullptr;
    const double step = ch ? ch->Step : 1.0;
    const int length = p_.Header(IsW).Length;
    double p1, p2;
    if (PulseApplies() && Finite(g.PulseL) && Finite(g.PulseR)) {
      p1 = g.PulseL;
      p2 = g.PulseR;
    } else if (g.CursorStep == 1) {
      p1 = g.Cur1;
      p2 = g.Cur2;
    } else {
      p1 = FMouseVertToGlobal(CurX1);
      p2 = FMouseVertToGlobal(CurX2);
    }
    const bool spectrum = p_.Freq(IsW)[chan] != 0;
    const double user = !spectrum && (g.DisplFlags & store::kDisplUserTime) ? p_.PG.UserTimeFactor : 1.0;
    double t1 = state::CursorToTime(p_, IsW, p1 - g.ZeroIndex, length, step, chan) * user;
    double t2 = state::CursorToTime(p_, IsW, p2 - g.ZeroIndex, length, step, chan) * user;
    double d = t2 - t1;
    if (!two) t2 = d = t1;
    const TimeUnit u = CursorTimeUnit(t2, d, spectrum, (g.DisplFlags & store::kDisplLongTimes) != 0);
    char text[160];
    if (two)
      std::snprintf(text, sizeof text, "%s %s %s %s", TimeText(t1 * u.factor).s, TimeText(t2 * u.factor).s,
                    TimeText(d * u.factor).s, u.name);
    else
      std::snprintf(text, sizeof text, "%s %s", TimeText(t1 * u.factor).s, u.name);
    // Centred in the bar (further right beside the values), but never over
    // the other read-outs when the window has room for all of them.
    const int w = dc.TextWidth(text);
    int x = ClientW / 2 + (g.InfoValue ? 40 : 0) - w / 2;
    if (x + w > rightStart - 5) x = rightStart - 5 - w;
    if (x < leftEnd + 5) x = leftEnd + 5;
    dc.SetTextColor(0);
    put(x, text);
  }
}

}  // namespace graph
