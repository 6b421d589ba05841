#include "state/StoreAccess.h"

#include <algorithm>

#include "state/Messages.h"
#include "state/Program.h"
#include "store/FixedText.h"

namespace state {

bool MemOK(Program& p, store::Store store) {
  // The memory mode bit alone never vouches for a missing array: that would
  // hand a null sample array to the caller.
  bool ok = store::IsW(store) ? bool(p.Waveform) : bool(p.Buffer);
  if (!ok) p.Header(store).Length = 0;
  return ok;
}

bool MemOK(Program& p, store::Store store, bool showMessage) {
  if (MemOK(p, store)) return true;
  if (showMessage) MessT(p, store::IsW(store) ? 490 : 491, 13);
  return false;
}

int Pocatek(const Program& p, store::Store store, int channel) {
  if (channel < 0 || channel >= store::kChannels) return -1;
  const store::Header_s& h = store::IsW(store) ? p.HGW : p.HGB;
  if (!h.ChannelOn[channel]) return -1;
  int below = 0;
  for (int i = 0; i < channel; ++i)
    if (h.ChannelOn[i]) ++below;
  return below * h.Length;
}

int ActiveChannels(const Program& p, store::Store store) {
  const store::Header_s& h = store::IsW(store) ? p.HGW : p.HGB;
  int n = 0;
  for (int i = 0; i < store::kChannels; ++i)
    if (h.ChannelOn[i]) ++n;
  return n;
}

void ChannelFromAcquisition(store::Channel_s& c, const store::A_s& a, float step) {
  c.IsSpectrum = 0;
  store::CopyText(c.Name, store::FieldText(a.Name));
  store::CopyText(c.Unit, store::FieldText(a.Unit));
  c.PrefixCode = a.PrefixCode;
  store::CopyText(c.XUnit, "s");
  c.Step = step;
}

void NaplnHlav(Program& p) {
  float step = 0.001f * p.RefA().WPeriod;
  for (int i = 0; i < store::kChannels; ++i) {
    p.HGW.ChannelOn[i] = p.MG.Acquire[i] ? 1 : 0;
    if (!p.HGW.ChannelOn[i]) continue;
    store::Channel_s& c = p.FGW[i];
    const store::A_s& a = p.A[i];
    p.WFreq[i] = 0;
    ChannelFromAcquisition(c, a, step);
  }
  p.HGW.ChannelCount = int16_t(ActiveChannels(p, store::Store::W));
  // The measurement mathematics recomputes its settings when the acquisition
  // code is present; it has nothing to recompute before that.
}

void FreeMemUtil(Program& p) {
  double mb = 9.536743e-07;
  std::string text = TxtF(p, 382,
                          {p.TotalDataAlloc * mb, long(p.DG.TotalSamples), double(p.DG.TotalSamples) * 8 * mb,
                           long(p.DG.MaxLength), 128});
  Mess(p, text, Txt(p, 17));
}

void ApplyMemoryUnits(Program& p, long units) {
  units = std::clamp(units, 1L, 2048L);
  p.DG.TotalSamples = int32_t(units * 131072);
  p.DG.MaxLength = p.DG.TotalSamples;
}

}  // namespace state
