// Analyses of the window's channel that have no panel key of their own in
// the classic key map: step and spike removal, the list of local extremes
// and the panel of harmonics, distortion, median and correlation.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "dsp/Correlation.h"
#include "dsp/DataModification.h"
#include "dsp/Statistics.h"
#include "graph/GraphModel.h"
#include "ops/ChannelView.h"
#include "ops/Power.h"
#include "ops/StatisticsReport.h"
#include "ops/StepSpikeRemoval.h"
#include "state/EventQueue.h"
#include "state/Messages.h"

namespace graph {
namespace {

constexpr int kHarmonics = 14;  // as the measurement run's harmonic channels
// The distortion over the same band: a long record that is not a power of
// two is summed bin by bin, and more harmonics would cost seconds.
constexpr int kDistortionHarmonics = kHarmonics;
constexpr float kMains = 50.0f;

}  // namespace

void TDispl10::RemoveStepsSpikes(int mode) {
  if (broken_ || !p_.plat.ui) return;
  if (mode != 0 && mode != 1) return;
  state::AC_Beep(p_);
  const int chan = DataChannel();
  ops::ChannelView v = ops::ViewChannel(p_, IsW, chan);
  if (!v || v.length < 4) return;
  // A tenth of the channel's largest magnitude is a sensible first threshold.
  const float peak = dsp::PeakMagnitude(v.data, 0, v.length - 1);
  const double initial = peak > 0 && std::isfinite(peak) ? double(peak) / 10 : 1.0;
  std::optional<double> t = p_.ui().PromptFloat(mode == 0 ? state::Lang(p_, "Práh skoku", "Step threshold")
                                                          : state::Lang(p_, "Práh špičky", "Spike threshold"),
                                                0, 1e30, initial);
  if (!t || !std::isfinite(*t) || !(*t > 0)) return;
  // The whole record; the operation tells the store's windows itself.
  if (ops::KorekceOstrychZmen(p_, IsW, chan, mode, float(*t), 0, v.length) && !broken_) Redraw();
}

void TDispl10::ShowStatMaxMin() {
  if (broken_) return;
  (void)ops::ShowStatMaxMin(p_, IsW, DataChannel());
}

void TDispl10::ShowHarmonics(platform::Canvas& dc) {
  if (broken_) return;
  const int chan = DataChannel();
  ops::ChannelView v = ops::ViewChannel(p_, IsW, chan);
  if (!v) return;
  Busy(true);
  ops::Panel panel;
  panel.title = state::Lang(p_, "Harmonické 50 Hz", "Harmonics of 50 Hz");
  float row = 0;
  char label[64];
  // Harmonics and distortion need a time signal of the waveform store.
  if (store::IsW(IsW) && !v.spectrum) {
    float h[kHarmonics] = {};
    const int found = ops::GetHarm(p_, chan, kMains, kHarmonics, h);
    for (int k = 0; k < found; ++k) {
      std::snprintf(label, sizeof label, "%d. %s", k + 1, state::Lang(p_, "harmonická", "harmonic"));
      panel.rows.push_back({row++, label, double(h[k]), 0, 0, 127, " %10.4e"});
    }
    float factor = 0;
    if (ops::CinitelZkresleni(p_, chan, kDistortionHarmonics, factor))
      panel.rows.push_back({row++ + 0.5f, state::Lang(p_, "Činitel zkreslení", "Distortion factor"),
                            double(factor), 127, 0, 0, " %8.4f"});
  }
  float median = 0;
  if (dsp::Median(v.data, 0, v.length, median))
    panel.rows.push_back(
        {row++ + 0.5f, state::Lang(p_, "Medián", "Median"), double(median), 0, 127, 0, " %10.4e"});
  // The correlation with the next channel, when it is active.
  ops::ChannelView next =
      chan + 1 < store::kChannels ? ops::ViewChannel(p_, IsW, chan + 1) : ops::ChannelView{};
  if (next) {
    std::snprintf(label, sizeof label, "%s %d",
                  state::Lang(p_, "Korelace s kanálem", "Correlation with channel"), chan + 2);
    panel.rows.push_back({row++ + 0.5f, label, double(dsp::Korelace(v.data, next.data, 0, v.length - 1)), 0,
                          127, 127, " %8.4f"});
  }
  DrawPanel(dc, panel);
}

}  // namespace graph
