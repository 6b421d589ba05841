#include "dsp/ChannelAlgebra.h"

#include "dsp/ChannelPrompt.h"
#include "files/DataFileFormat.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/Records.h"

namespace dsp {
namespace {

bool KnownOperation(int operation) {
  return operation == kChannelAdd || operation == kChannelSubtract || operation == kChannelMultiply ||
         operation == kChannelDivide;
}

// A block that lies inside the store's arrays, or false.
bool BlockInside(const state::Program& p, int store, int start) {
  const int64_t length = store ? p.HGW.Length : p.HGB.Length;
  return start >= 0 && length >= 0 && start + length <= files::SampleCapacity(p, store);
}

template <typename Op>
int ForChannels(state::Program& p, int store, int channel, Op op) {
  store = store ? 1 : 0;
  if (!state::MemOK(p, store)) return 0;
  if (channel < 0 || channel > store::kChannels) return 0;
  const int64_t length = p.Header(store).Length;
  float* samples = p.Samples(store);
  int changed = 0;
  for (int i = 0; i < store::kChannels; ++i) {
    if (channel != 0 && i != channel - 1) continue;
    const int start = state::Pocatek(p, store, i);
    if (start < 0 || !BlockInside(p, store, start)) continue;
    for (int64_t j = 0; j < length; ++j) samples[start + j] = op(samples[start + j]);
    changed = 1;
  }
  if (changed) state::DataChanged(p, store);
  state::AktualizujOkno(p);
  return changed;
}

}  // namespace

int ChanelAlgebraUtil(state::Program& p, int enable, int operation, int a, int b) {
  if (!enable || !KnownOperation(operation) || !state::MemOK(p, 1)) return 0;
  const int startA = state::Pocatek(p, 1, a);
  const int startB = state::Pocatek(p, 1, b);
  if (startA < 0 || startB < 0 || !BlockInside(p, 1, startA) || !BlockInside(p, 1, startB)) return 0;
  float* x = p.Waveform.get() + startA;
  const float* y = p.Waveform.get() + startB;
  const int64_t n = p.HGW.Length;
  switch (operation) {
    case kChannelAdd:
      for (int64_t i = 0; i < n; ++i) x[i] = x[i] + y[i];
      break;
    case kChannelSubtract:
      for (int64_t i = 0; i < n; ++i) x[i] = x[i] - y[i];
      break;
    case kChannelMultiply:
      for (int64_t i = 0; i < n; ++i) x[i] = x[i] * y[i];
      break;
    case kChannelDivide:
      for (int64_t i = 0; i < n; ++i) x[i] = y[i] == 0.0f ? 0.0f : x[i] / y[i];
      break;
  }
  return 1;
}

int ChanelAlgebra(state::Program& p, int operation, int store, int a, int b) {
  store = store ? 1 : 0;
  if (!state::MemOK(p, store, true)) return 0;
  a = ChannelNumber(p, a, 345);
  if (a == 0) return 0;
  b = ChannelNumber(p, b, 346);
  if (b == 0) return 0;
  if (state::Pocatek(p, store, a - 1) < 0) {
    state::MessT(p, 347, 11);
    return 0;
  }
  if (state::Pocatek(p, store, b - 1) < 0) {
    state::MessT(p, 348, 11);
    return 0;
  }
  if (store == 0) return 0;
  const int done = ChanelAlgebraUtil(p, 1, operation, a - 1, b - 1);
  if (done && !p.MacGoing) {
    state::DataChanged(p, 1);
    state::Mess(p, state::TxtF(p, 349 + operation, {a, b}), state::Txt(p, 11));
  }
  return done;
}

int MultiplyByConstant(state::Program& p, int store, int channel, float k) {
  return ForChannels(p, store, channel, [k](float x) { return x * k; });
}

int AddConstant(state::Program& p, int store, int channel, float value) {
  return ForChannels(p, store, channel, [value](float x) { return x + value; });
}

}  // namespace dsp
