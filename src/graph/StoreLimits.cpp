#include "graph/StoreLimits.h"

#include <algorithm>
#include <cfloat>
#include <cstring>

#include "macro/Prompts.h"
#include "ops/StoreChecks.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"

namespace graph {
namespace {

int LimitsSubmenu(store::Store store) { return store::IsW(store) ? 261 : 266; }

int32_t LastSample(state::Program& p, store::Store store) {
  return std::max(p.Header(store).Length - 1, int32_t(0));
}

int PromptPoint(state::Program& p, store::Store store, bool right, const char* prompt) {
  StoreLimits l = GetStoreLimits(p, store);
  int32_t& v = right ? l.right : l.left;
  const int32_t last = LastSample(p, store);
  if (!macro::GetL(p, v, 0, last, right ? last : 0, prompt)) return 0;
  SetStoreLimits(p, store, l);
  return 1;
}

int PromptValue(state::Program& p, store::Store store, bool upper, const char* prompt) {
  StoreLimits l = GetStoreLimits(p, store);
  float& v = upper ? l.upper : l.lower;
  if (!macro::GetF(p, v, -FLT_MAX, FLT_MAX, 0.0f, prompt)) return 0;
  SetStoreLimits(p, store, l);
  return 1;
}

}  // namespace

StoreLimits GetStoreLimits(const state::Program& p, store::Store store) {
  StoreLimits l;
  l.left = store::IsW(store) ? p.PG.WLeft : p.PG.MLeft;
  l.right = store::IsW(store) ? p.PG.WRight : p.PG.MRight;
  l.upper = store::IsW(store) ? p.PG.WUpper : p.PG.MUpper;
  l.lower = store::IsW(store) ? p.PG.WLower : p.PG.MLower;
  return l;
}

void SetStoreLimits(state::Program& p, store::Store store, const StoreLimits& l) {
  (store::IsW(store) ? p.PG.WLeft : p.PG.MLeft) = l.left;
  (store::IsW(store) ? p.PG.WRight : p.PG.MRight) = l.right;
  (store::IsW(store) ? p.PG.WUpper : p.PG.MUpper) = l.upper;
  (store::IsW(store) ? p.PG.WLower : p.PG.MLower) = l.lower;
}

int LeftPoint(state::Program& p, store::Store store) { return PromptPoint(p, store, false, "Levý bod"); }
int RightPoint(state::Program& p, store::Store store) { return PromptPoint(p, store, true, "Pravý bod"); }
int UpperValue(state::Program& p, store::Store store) { return PromptValue(p, store, true, "Horní hodnota"); }
int LowerValue(state::Program& p, store::Store store) {
  return PromptValue(p, store, false, "Dolní hodnota");
}

int SetLimits(state::Program& p, store::Store store, bool interactive) {
  const StoreLimits l = GetStoreLimits(p, store);
  int refusal = 0;
  // Limits come from job files: no arithmetic on them may overflow.
  if (int64_t(l.right) - 1 <= l.left)
    refusal = 361;
  else if (int64_t(l.right) > int64_t(p.Header(store).Length) - 1)
    refusal = 362;
  else if (!(l.upper > l.lower))  // NaN limits are refused as well
    refusal = 363;
  else if (l.left < 0)  // a cut from a negative left point would read before the store
    refusal = 681;
  if (refusal) {
    MessT(p, refusal, 13);
    return 0;
  }
  SendToStoreWindows(p, store, interactive ? state::kStoreLimits : state::kStoreLimitsQuiet);
  p.MenuPopup = LimitsSubmenu(store);
  return 1;
}

void Preklad(state::Program& p, bool overlaid) {
  SendToStoreWindows(p, store::Store::W, overlaid ? state::kOverlaidHalves : state::kSeparateHalves);
}

int64_t PowerOfTwoSamples(int64_t n, int64_t length) {
  int64_t p2 = 1;
  while (p2 < n && p2 < (int64_t(1) << 40)) p2 *= 2;
  while (p2 > length && p2 > 1) p2 /= 2;
  return p2;
}

int GetLimits(state::Program& p) {
  int32_t channel = 1;
  if (!macro::GetL(p, channel, 1, store::kChannels, 1, Txt(p, 678))) return 0;
  channel = std::clamp(channel, int32_t(1), int32_t(store::kChannels));
  if (!p.QWWin[channel - 1]) {
    MessT(p, 137, 13);
    return 0;
  }
  const store::CG_s& g = p.CGW[size_t(channel - 1)];
  StoreLimits l;
  l.left = g.Cur1;
  l.right = g.Cur2;
  l.upper = g.HCur1;
  l.lower = g.HCur2;
  const int32_t length = p.HGW.Length;
  if (l.right > length - 1 || l.right <= l.left || l.left < 0 || !(l.upper > l.lower)) {
    MessT(p, 681, 13);
    return 0;
  }
  const double step = p.FGW[size_t(channel - 1)].Step;
  auto described = [&](int text) {
    const int64_t n = int64_t(l.right) - l.left + 1;
    return TxtF(p, text,
                {l.left, double(l.left) * step, l.right, double(l.right) * step, (long long)n,
                 double(l.right - l.left) * step});
  };
  const platform::Answer a = p.ui().AskYesNoCancel(described(679), Txt(p, 15));
  p.MenuPopup = LimitsSubmenu(store::Store::W);
  if (a == platform::Answer::Cancel) return 0;
  if (a == platform::Answer::Yes) {
    const int64_t n = PowerOfTwoSamples(int64_t(l.right) - l.left + 1, length);
    int64_t right = int64_t(l.left) + n - 1;
    int64_t left = l.left;
    if (right > length - 1) {
      left -= right - (length - 1);
      right = length - 1;
    }
    l.left = int32_t(left);
    l.right = int32_t(right);
    Mess(p, described(680), Txt(p, 11));
  }
  SetStoreLimits(p, store::Store::W, l);
  return 1;
}

int WriteLimits(state::Program& p, store::Store store) {
  if (!MemOK(p, store, true)) return 0;
  if (!SetLimits(p, store, true)) return 0;
  const StoreLimits l = GetStoreLimits(p, store);
  store::Header_s& h = p.Header(store);
  const int32_t oldLength = h.Length;
  const int32_t newLength = l.right - l.left + 1;
  // The header is trusted no further than the arrays really reach.
  if (!ops::BlockFits(p, store, 0, (long long)ActiveChannels(p, store) * oldLength)) {
    MessT(p, store::IsW(store) ? 490 : 491, 13);
    return 0;
  }
  float* s = p.Samples(store);
  // Ascending channels: each block moves down, never over samples not yet read.
  size_t k = 0;
  for (int i = 0; i < store::kChannels; ++i) {
    if (!h.ChannelOn[i]) continue;
    std::memmove(s + k * size_t(newLength), s + k * size_t(oldLength) + size_t(l.left),
                 size_t(newLength) * sizeof(float));
    ++k;
  }
  h.Length = newLength;
  if (store::IsW(store) && l.left + 1 <= h.PreTrigger) {
    h.PreTrigger -= l.left;
  } else {
    h.PreTrigger = 0;
    h.TriggerFlag = 0;
  }
  // The limits now span the whole shortened record.
  StoreLimits cut = l;
  cut.left = 0;
  cut.right = newLength - 1;
  SetStoreLimits(p, store, cut);
  DataChanged(p, store);
  return 1;
}

int PointsAndLimits(state::Program& p, bool overlaid) {
  if (AskT(p, 1411, 15) != platform::Answer::Yes) return 0;
  if (!LeftPoint(p, store::Store::W) || !RightPoint(p, store::Store::W)) return 0;
  Preklad(p, overlaid);
  return SetLimits(p, store::Store::W, true);
}

}  // namespace graph
