#include "ops/Decimation.h"

#include <algorithm>

#include "dsp/Decimation.h"
#include "files/DataFileFormat.h"
#include "ops/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"

namespace ops {

int DecimationUtil(state::Program& p, store::Store s) {
  if (!state::MemOK(p, s, true)) return 0;
  if (StoreHoldsSpectrum(p, s)) {
    state::MessT(p, store::IsW(s) ? 330 : 331, 11);
    return 0;
  }
  store::Header_s& h = p.Header(s);
  const int n = h.Length;
  const int channels = state::ActiveChannels(p, s);
  // A record of one sample would become empty, which no window or file
  // operation expects.
  if (n < 2 || !BlockFits(p, s, 0, static_cast<long long>(channels) * n)) return 0;
  // Every second sample into the scratch array, swapped in at the end: a
  // stop leaves the store as it was.
  const int half = n / 2;
  const float* samples = p.Samples(s);
  float* scratch = p.Scratch(s);
  state::Progress progress(p, state::Lang(p, "Decimace", "Decimation"));
  for (int64_t c = 0; c < channels; ++c) {
    for (int64_t from = 0; from < half; from += state::kStepPiece) {
      if (!progress.Step(c * half + from, int64_t(channels) * half)) {
        state::ReportStopped(p, state::Lang(p, "Decimace", "Decimation"));
        return 0;
      }
      const int64_t count = std::min<int64_t>(half - from, state::kStepPiece);
      dsp::KeepOddSamples(samples + c * n + 2 * from, scratch + c * half + from, count);
    }
  }
  files::CommitScratch(p, s, size_t(channels) * size_t(half));
  for (int c = 0; c < store::kChannels; ++c)
    if (h.ChannelOn[c]) p.Channels(s)[c].Step *= 2;
  h.Length = half;
  h.TriggerFlag = 0;
  h.PreTrigger = 0;
  state::DataChanged(p, s);
  state::SendToStoreWindows(p, s, state::kRedrawAll);
  return 1;
}

int Decimation(state::Program& p, store::Store s, bool ask) {
  if (ask && !p.MacGoing && state::AskT(p, 329, 15) != platform::Answer::Yes) return 0;
  return DecimationUtil(p, s);
}

}  // namespace ops
