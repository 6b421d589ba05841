// Opening the calibration-from-curve dialog from a waveform window.
#include <algorithm>
#include <iterator>

#include "graph/GraphModel.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace graph {

void TDispl10::Calibration() {
  if (broken_) return;
  // The calibration rescales the waveform store only.
  if (!store::IsW(IsW)) return;
  if (!Dialogs.calibration) {
    state::ShowNotAvailable(p_, "Kalibrační dialog", "The calibration dialog");
    return;
  }
  constexpr int kRecords = int(std::size(CalibrationDialogRequest{}.records));
  if (p_.Kal.size() < size_t(kRecords)) return;
  CalibrationDialogRequest r;
  std::copy(p_.Kal.get(), p_.Kal.get() + kRecords, r.records);
  // The page and the channels come from the function file.
  r.page = int16_t(std::clamp<int>(p_.KalPage, 0, kRecords - 1));
  for (store::Kal_s& k : r.records)
    if (k.KalChannel < 0 || k.KalChannel >= store::kChannels) k.KalChannel = 0;
  if (!Dialogs.calibration(p_, r)) return;
  std::copy(std::begin(r.records), std::end(r.records), p_.Kal.get());
  p_.KalPage = std::clamp<int16_t>(r.page, 0, int16_t(kRecords - 1));
}

}  // namespace graph
