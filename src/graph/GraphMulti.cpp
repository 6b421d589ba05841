// Multi display: every shown channel drawn in its own colour and scale
// (common, the active channel's, offset traces or strips), with its label.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"
#include "store/FixedText.h"

namespace graph {
bool TDispl10::StripOf(int chan, double& top, double& height) const {
  const store::Col_s* col = p_.Col_.get();
  // Weights come from settings files: a negative one counts as none.
  auto weight = [&](int k) { return col ? std::max<int>(col->StripWeight[k], 0) : 1; };
  double total = 0, before = 0;
  for (int k = 0; k < store::kChannels; ++k) {
    if (!IsShown(k)) continue;
    if (k < chan) before += weight(k);
    total += weight(k);
  }
  if (total <= 0 || !IsShown(chan)) return false;
  const double unit = PlotH / total;
  top = PlotTop + before * unit;
  height = weight(chan) * unit;
  return height > 0;
}

void TDispl10::PaintMulti(platform::Canvas& dc) {
  store::CG_s& g = Own();
  if (ShownChannelCount() == 0) return;
  const int32_t type = Act().DisplType;
  const bool shadow = type == kPower || type == kMagnitude;
  if (shadow) {
    Busy(true);
    const int16_t act = ActChan;
    for (int k = 0; k < store::kChannels; ++k) {
      if (!IsShown(k)) continue;
      ActChan = int16_t(k);
      SetShadowMem(type == kPower ? kShadowPower : kShadowMagnitude);
    }
    ActChan = act;
    SelectSeries();
    Busy(false);
  }
  DePress();
  const bool strips = (g.MultiFlags & store::kMultiStrips) != 0;
  const bool ownScales = g.MultiMode == 1 || strips;
  const bool offsets = g.MultiMode == 2 && !strips;
  int ownOrdinal = 0;
  for (int k = 0; k < OwnChan; ++k)
    if (IsShown(k)) ++ownOrdinal;
  platform::Font font;
  font.height = 12;
  font.width = 5;
  dc.SetFont(font);
  int ordinal = 0;
  for (int k = 0; k < store::kChannels; ++k) {
    if (!IsShown(k)) continue;
    const int n = ordinal++;
    const float* data = ChannelData(k, shadow);
    if (data && type == kSecondHalf) data += Half;
    double vMax = g.VMax, vMin = g.VMin;
    if (ownScales) {
      vMax = k == OwnChan ? ownVMax_ : Graph(k).VMax;
      vMin = k == OwnChan ? ownVMin_ : Graph(k).VMin;
    }
    double top = PlotTop, height = PlotH;
    if (strips && !StripOf(k, top, height)) continue;
    const double ky = BandScale(height, vMax, vMin);
    // Offset traces: channels before the own one above it, the others below.
    const double shift = offsets ? double(ownOrdinal - n) * g.MultiStep : 0.0;
    const uint32_t colour =
        ColourOverride ? OverrideColour : (p_.Col_ ? p_.Col_.get()->TraceColor[k] : 0xFFFFFF);
    if (data) {
      FillPicture(data, g.IL, g.IR, vMin - shift, ky, top + height, false);
      PictureBufferOut(dc, Picture(), pictureCount_, colour);
    }
    // The label column starts three text lines below the plot top.
    const int x = PlotLeft + 8, y = PlotTop + 36 + 12 * n;
    char number[16];
    std::snprintf(number, sizeof number, "%2d ", k + 1);
    std::string label = number;
    if (p_.Channels(IsW)) label += store::FieldText(p_.Channels(IsW)[k].Name);
    dc.SetTextColor(colour);
    dc.Text({x, y}, label, platform::HAlign::Left, platform::VAlign::Top);
    if (k == ActChan) dc.FillRect(x - 6, y + 4, x - 2, y + 8, 0);
  }
  KoefY();
}

}  // namespace graph
