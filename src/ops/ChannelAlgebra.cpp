#include "ops/ChannelAlgebra.h"

#include "files/DataFileFormat.h"
#include "ops/ChannelPrompt.h"
#include "ops/UndoablePieces.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/Records.h"

namespace ops {
namespace {

// A block that lies inside the store's arrays, or false.
bool BlockInside(const state::Program& p, store::Store s, int start) {
  const int64_t length = store::IsW(s) ? p.HGW.Length : p.HGB.Length;
  return start >= 0 && length >= 0 && start + length <= files::SampleCapacity(p, s);
}

template <typename Op>
int ForChannels(state::Program& p, store::Store s, int channel, Op op) {
  if (!state::MemOK(p, s)) return 0;
  if (channel < 0 || channel > store::kChannels) return 0;
  const int64_t length = p.Header(s).Length;
  const int64_t total = channel == 0 ? length * state::ActiveChannels(p, s) : length;
  UndoablePieces pieces(p, s, state::Lang(p, "Úprava kanálů", "Channel arithmetic"), total);
  int changed = 0;
  for (int i = 0; i < store::kChannels; ++i) {
    if (channel != 0 && i != channel - 1) continue;
    const int start = state::Pocatek(p, s, i);
    if (start < 0 || !BlockInside(p, s, start)) continue;
    if (!pieces.Apply(start, length, [&op](float* x, int64_t, int64_t n) { op(x, n); })) return 0;
    changed = 1;
  }
  if (changed) state::DataChanged(p, s);
  state::AktualizujOkno(p);
  return changed;
}

}  // namespace

int ChanelAlgebraUtil(state::Program& p, int a, int b, int operation, bool enable) {
  if (!enable || !dsp::IsChannelOperation(operation) || !state::MemOK(p, store::Store::W)) return 0;
  const int startA = state::Pocatek(p, store::Store::W, a);
  const int startB = state::Pocatek(p, store::Store::W, b);
  if (startA < 0 || startB < 0 || !BlockInside(p, store::Store::W, startA) ||
      !BlockInside(p, store::Store::W, startB))
    return 0;
  const float* other = p.Waveform.get() + startB;
  UndoablePieces pieces(p, store::Store::W, state::Lang(p, "Algebra kanálů", "Channel algebra"),
                        p.HGW.Length);
  return pieces.Apply(startA, p.HGW.Length,
                      [&](float* x, int64_t at, int64_t n) {
                        (void)dsp::CombineChannels(x, other + at, n, operation);
                      })
             ? 1
             : 0;
}

int ChanelAlgebra(state::Program& p, store::Store s, int a, int b, int operation) {
  if (!state::MemOK(p, s, true)) return 0;
  a = ChannelNumber(p, a, 345);
  if (a == 0) return 0;
  b = ChannelNumber(p, b, 346);
  if (b == 0) return 0;
  if (state::Pocatek(p, s, a - 1) < 0) {
    state::MessT(p, 347, 11);
    return 0;
  }
  if (state::Pocatek(p, s, b - 1) < 0) {
    state::MessT(p, 348, 11);
    return 0;
  }
  if (!store::IsW(s)) return 0;
  const int done = ChanelAlgebraUtil(p, a - 1, b - 1, operation);
  if (done && !p.MacGoing) {
    state::DataChanged(p, store::Store::W);
    state::Mess(p, state::TxtF(p, 349 + operation, {a, b}), state::Txt(p, 11));
  }
  return done;
}

int MultiplyByConstant(state::Program& p, store::Store s, int channel, float k) {
  return ForChannels(p, s, channel, [k](float* x, int64_t n) { dsp::MultiplySamples(x, n, k); });
}

int AddConstant(state::Program& p, store::Store s, int channel, float value) {
  return ForChannels(p, s, channel, [value](float* x, int64_t n) { dsp::AddToSamples(x, n, value); });
}

}  // namespace ops
