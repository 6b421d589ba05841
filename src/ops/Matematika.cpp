#include "ops/Matematika.h"

#include "ops/ChannelView.h"
#include "state/GraphWindows.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace ops {

int Matematika(state::Program& p, int a, int s, int b, int operation, int32_t from, int32_t to,
               float& result) {
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  const store::Store w = store::Store::W;
  ChannelView va = ViewChannel(p, w, a), vs = ViewChannel(p, w, s), vb = ViewChannel(p, w, b);
  if (!va || !vs || !vb) return 0;
  if (!dsp::Matematika(operation, va.data, vs.data, vb.data, va.length, va.step, from, to, result)) return 0;
  if (dsp::MatematikaWrites(operation)) state::DataChanged(p, store::Store::W);
  return 1;
}

}  // namespace ops
