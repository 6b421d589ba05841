#include "ops/TimeFrequency.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>
#include <string>
#include <vector>

#include "dsp/TimeFrequency.h"
#include "files/MatrixFile.h"
#include "ops/ChannelView.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"

namespace ops {
namespace {

// The power of two nearest to sqrt(n) (a tie goes up), at least 8.
int DefaultWindow(int64_t n) {
  const double root = std::sqrt(double(n));
  int w = 8;
  while (w < (1 << 20) && std::fabs(2.0 * w - root) <= std::fabs(w - root)) w *= 2;
  return w;
}

void Refuse(state::Program& p, const std::string& text) { state::Mess(p, text, state::Txt(p, 13)); }

}  // namespace

int BandwidthWindow(double n, double step) {
  if (!(n > 0) || !(step > 0) || !std::isfinite(step)) return 0;
  const double w = std::round(2.9 / (n * step));
  return w >= double(INT_MAX) || !std::isfinite(w) ? INT_MAX : int(w);
}

int FreqAnal2D(state::Program& p, int channel, int mode, int window) {
  if (!dsp::IsTimeFrequencyMode(mode) || !p.Mat) return 0;
  ChannelView v = ViewChannel(p, store::Store::W, channel);
  if (!v) {
    state::MessT(p, 341, 11);
    return 0;
  }
  if (v.spectrum) {
    state::MessT(p, 431, 13);
    return 0;
  }
  const double step = v.step;
  if (!(step > 0) || !std::isfinite(step)) {
    Refuse(p,
           state::Lang(p, "Kanál nemá platný vzorkovací krok.", "The channel has no valid sampling step."));
    return 0;
  }
  if (window == 0) window = DefaultWindow(v.length);
  // The header keeps the transform length in int16; a longer window would
  // give more columns than any display shows anyway.
  constexpr int kLongestWindow = 16384;
  if (window > kLongestWindow) {
    Refuse(p, std::to_string(window) +
                  state::Lang(p, " vzorků: okno analýzy je delší než 16384 vzorků.",
                              " samples: the analysis window is longer than 16384 samples."));
    return 0;
  }
  // Fewer than 4 samples give fewer than 2 columns.
  if (window < 4) {
    state::MessT(p, 731, 13);
    return 0;
  }
  int transform = 1;
  while (transform < window) transform *= 2;
  const int64_t rowCap = std::min<int64_t>(files::kMaxMatrixCount, files::kMaxMatrixValues / (transform / 2));
  const dsp::TimeFrequencyShape shape = dsp::TimeFrequencyLayout(v.length, window, mode, int(rowCap));
  if (shape.rows < 2 || shape.columns < 2) {
    state::MessT(p, 731, 13);
    return 0;
  }

  std::vector<float> values;
  try {
    values.resize(size_t(shape.rows) * size_t(shape.columns));
  } catch (const std::bad_alloc&) {
    state::MessT(p, 77, 13);
    return 0;
  }
  // Rows in pieces of a few million values, between which a stop leaves the
  // matrix as it was. Levels in dB are floored by the largest amplitude of
  // all rows, so they go in one piece.
  const int piece =
      mode == dsp::kTfDecibels ? shape.rows : std::max(1, int(state::kStepPiece / shape.columns));
  const char* what = state::Lang(p, "Časově-frekvenční analýza", "Time-frequency analysis");
  state::Progress progress(p, what);
  for (int r = 0; r < shape.rows; r += piece) {
    if (!progress.Step(r, shape.rows)) {
      state::ReportStopped(p, what);
      return 0;
    }
    dsp::TimeFrequencyShape part = shape;
    part.rows = std::min(piece, shape.rows - r);
    const int64_t offset = int64_t(r) * shape.hop;
    if (!dsp::TimeFrequency(v.data + offset, v.length - offset, part, mode, step,
                            values.data() + size_t(r) * size_t(shape.columns))) {
      state::MessT(p, 77, 13);
      return 0;
    }
  }

  store::Mat_s& m = p.Mat[0];
  m.Columns = int16_t(shape.columns);
  m.Rows = int16_t(shape.rows);
  m.FirstColumn = 0;
  m.LastColumn = int16_t(shape.columns - 1);
  m.FirstRow = 0;
  m.LastRow = int16_t(shape.rows - 1);
  auto [lo, hi] = std::minmax_element(values.begin(), values.end());
  m.ValueMin = *lo;
  m.ValueMax = *hi;
  m.ColumnStart = 0;
  m.ColumnStep = float(1.0 / (double(shape.transform) * step));
  m.RowStart = float(0.5 * double(shape.window - 1) * step);
  m.RowStep = float(double(shape.hop) * step);
  m.SourceChannel = int16_t(channel);
  m.SourceStore = int16_t(store::FlagOf(store::Store::W));
  m.AnalysisMode = int16_t(mode);
  m.TransformLength = int16_t(shape.transform);
  m.WindowLength = shape.window;
  m.WindowStep = shape.hop;
  p.Matrix = std::move(values);
  return 1;
}

}  // namespace ops
