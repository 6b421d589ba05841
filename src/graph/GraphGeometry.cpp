// Construction, set-up and the plot rectangle of the graph window.
#include <algorithm>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"
#include "platform/NullCanvas.h"
#include "state/ExitRequest.h"
#include "state/StoreAccess.h"
#include "store/Defaults.h"

namespace graph {

void PlaceWindowRect(const int32_t in[4], int32_t out[4]) {
  int64_t left = in[0], top = in[1];
  int64_t w = int64_t(in[2]) - in[0], h = int64_t(in[3]) - in[1];
  if (w <= 0 || h <= 0) {
    // Nothing sensible to keep: the default window.
    left = store::CG0.WinRect[0];
    top = store::CG0.WinRect[1];
    w = store::CG0.WinRect[2] - store::CG0.WinRect[0];
    h = store::CG0.WinRect[3] - store::CG0.WinRect[1];
  }
  w = std::clamp<int64_t>(w, kMinWindowW, kMaxScreenW);
  h = std::clamp<int64_t>(h, kMinWindowH, kMaxScreenH);
  left = std::clamp<int64_t>(left, 0, kMaxScreenW - w);
  top = std::clamp<int64_t>(top, 0, kMaxScreenH - h);
  out[0] = int32_t(left);
  out[1] = int32_t(top);
  out[2] = int32_t(left + w);
  out[3] = int32_t(top + h);
}

TDispl10::TDispl10(state::Program& p, const std::string& title, store::Store isW, int16_t chan,
                   int32_t offset, const int32_t rect[4])
    : IsW(isW),
      OwnChan(int16_t(std::clamp<int>(chan, 0, store::kChannels - 1))),
      ActChan(OwnChan),
      Offset(offset),
      p_(p),
      cg_(p.Graphs(IsW)),
      caption_(title) {
  state::SamplesChanged(p, isW);  // samples may have been written while no window could be told
  PlaceWindowRect(rect, rect_);
  ClientW = int16_t(rect_[2] - rect_[0]);
  ClientH = int16_t(rect_[3] - rect_[1]);
  MakeOwnSurface();

  store::CG_s& g = Own();
  g.Chan = OwnChan;
  g.MeasWin = store::IsW(IsW) ? 0 : 1;
  Rebuild();
  if (!AllocatePicture()) {
    broken_ = true;
    state::ExitTRV(p_);
  }
  BorderX = ClientW < 100 ? 2 : 5;
  RightPanelW = (g.DisplFlags & store::kDisplRightPanel) && g.PrintMode == 0 ? 62 : 0;
  KeyStripH = g.KeyPanel ? 42 : 0;
  SPP = 1.0f;
  DoClear = RedrawAll = RedrawBackground = RedrawCursors = RedrawText = RedrawKeys = 1;
  UpravAktivniKanal();
}

TDispl10::~TDispl10() { ReleasePicture(); }

bool TDispl10::AllocatePicture() {
  ReleasePicture();
  int32_t n = 2 * Half + 1;
  if (!p_.Allocate(pictureBlock_, size_t(n))) {
    // Allocate marks the program short of memory; a missing picture buffer
    // only ends this window, so the mark is not left behind.
    p_.NotEnoughMemory = 0;
    return false;
  }
  pictureCapacity_ = n;
  pictureCount_ = 0;
  return true;
}

void TDispl10::ReleasePicture() {
  if (pictureBlock_) p_.TotalDataAlloc -= double(pictureBlock_.bytes());
  pictureBlock_.reset();
  pictureCapacity_ = 0;
  pictureCount_ = 0;
}

void TDispl10::Rebuild() {
  const store::Header_s& h = p_.Header(IsW);
  int64_t length = std::max<int32_t>(h.Length, 0);
  int64_t half = length / 2;
  // The header and the arrays come from files and other code: never let a
  // channel reach past either array, whatever its length says.
  const float* data = p_.Samples(IsW);
  int64_t capacity = int64_t(std::min(store::IsW(IsW) ? p_.Waveform.size() : p_.Buffer.size(),
                                      store::IsW(IsW) ? p_.SWaveform.size() : p_.SBuffer.size()));
  if (!data || Offset < 0 || Offset >= capacity)
    half = 0;
  else
    half = std::min<int64_t>(half, (capacity - Offset) / 2);
  Half = int32_t(half);
}

float* TDispl10::ChannelData(int chan, bool shadow) const {
  if (chan < 0 || chan >= store::kChannels) return nullptr;
  int32_t offset = chan == OwnChan ? Offset : state::Pocatek(p_, IsW, chan);
  float* base = shadow ? p_.Scratch(IsW) : p_.Samples(IsW);
  if (!base || offset < 0 || Half == 0) return nullptr;
  size_t size = shadow ? (store::IsW(IsW) ? p_.SWaveform.size() : p_.SBuffer.size())
                       : (store::IsW(IsW) ? p_.Waveform.size() : p_.Buffer.size());
  if (size_t(offset) + 2 * size_t(Half) > size) return nullptr;
  return base + offset;
}

bool TDispl10::IsShown(int chan) const {
  if (chan < 0 || chan >= store::kChannels) return false;
  const store::CG_s& g = Own();
  uint32_t word = g.MultiMask[chan / 32];
  bool chosen = ((word >> (chan % 32)) & 1u) || (g.MultiFlags & store::kMultiAllPresent);
  return chosen && p_.Header(IsW).ChannelOn[chan];
}

int TDispl10::ShownChannelCount() const {
  int n = 0;
  for (int k = 0; k < store::kChannels; ++k)
    if (IsShown(k)) ++n;
  return n;
}

void TDispl10::UpravAktivniKanal() {
  // Outside multi display the only shown channel is the own one.
  if (!Own().Multi) {
    ActChan = OwnChan;
    return;
  }
  if (IsShown(ActChan)) return;
  ActChan = 0;
  for (int k = 0; k < store::kChannels; ++k)
    if (IsShown(k)) {
      ActChan = int16_t(k);
      return;
    }
}

void TDispl10::SetCHANM() {
  if (IsShown(ActChan)) return;
  for (int k = 0; k < store::kChannels; ++k)
    if (IsShown(k)) {
      ActChan = int16_t(k);
      return;
    }
}

void TDispl10::DisplInit() {
  if (broken_) return;
  store::CG_s& g = Own();
  Div = 50;
  if (g.InfoBar) {
    InfoBarH = int16_t(24 + ((g.DisplFlags & store::kDisplChannelNumber) ? 13 : 0));
    DoClear = 1;
  } else {
    InfoBarH = 0;
  }
  BottomBarH = g.BottomBar ? 24 : 0;
  if (!g.VScale)
    VScaleW = 0;
  else if (g.PrintMode)
    VScaleW = 90;
  else
    VScaleW = (g.DisplFlags & store::kDisplOneLineUnit) ? int16_t(50 * 1.3) : 50;
  RightPanelW = (g.DisplFlags & store::kDisplRightPanel) && g.PrintMode == 0 ? 62 : 0;
  SaneRanges(g);
  if (ActChan != OwnChan) SaneRanges(Act());
  Layout();
  KoefX();
  SetPointer();
  OK_IL_IR();
  if (g.XYPlot) {
    g.XCur1 = g.XMin;
    g.XCur2 = g.XMax;
  }
}

void TDispl10::Layout() {
  PlotLeft = int16_t(BorderX + VScaleW);
  int margin = 2 * BorderX + VScaleW + RightPanelW;
  // A window narrower or lower than its bars still gets a one-pixel plot, so
  // that no transform divides by zero or runs backwards.
  PlotW = int16_t(std::max(1, ClientW - margin));
  PlotTop = int16_t(BorderY + KeyStripH);
  PlotH = int16_t(std::max(1, ClientH - (InfoBarH + KeyStripH + BottomBarH + 10)));
}

void TDispl10::MakeOwnSurface() {
  const bool attached = surface_ && surface_ != ownSurface_.get();
  if (drawsNothing_) {
    recording_ = nullptr;
    ownSurface_ = std::make_unique<platform::NullCanvas>(ClientW, ClientH);
  } else {
    auto recording = std::make_unique<platform::RecordingCanvas>(ClientW, ClientH);
    recording_ = recording.get();
    ownSurface_ = std::move(recording);
  }
  if (!attached) surface_ = ownSurface_.get();
}

void TDispl10::DrawNothing() {
  if (drawsNothing_) return;
  drawsNothing_ = true;
  MakeOwnSurface();
  ForgetCursors();
}

void TDispl10::SetClientSize(int width, int height) {
  ClientW = int16_t(std::clamp(width, 1, kMaxScreenW));
  ClientH = int16_t(std::clamp(height, 1, kMaxScreenH));
  rect_[2] = rect_[0] + ClientW;
  rect_[3] = rect_[1] + ClientH;
  if (surface_ == ownSurface_.get()) MakeOwnSurface();
  DoClear = RedrawAll = RedrawBackground = RedrawCursors = RedrawText = RedrawKeys = 1;
  ForgetCursors();
  Layout();
  int32_t type = Act().DisplType;
  if (type == kPower || type == kMagnitude || type == kRunningSum) SetPointer();
}

void TDispl10::OK_IL_IR() {
  store::CG_s& g = Own();
  if (g.IL >= NShown - 1) g.IL = 0;
  if (g.IR >= NShown - 1) g.IR = NShown - 1;
  // Job files may hold negative or crossed indices: show the whole record
  // rather than read before the channel's data.
  if (g.IL < 0) g.IL = 0;
  if (g.IR < g.IL) {
    g.IL = 0;
    g.IR = NShown - 1;
  }
  ShownCount = g.IR - g.IL + 1;
}

void TDispl10::SelectSeries() {
  const int32_t type = Act().DisplType;
  const int chan = Own().Multi ? ActChan : OwnChan;
  const bool spectrum = p_.Freq(IsW)[chan] != 0;
  switch (type) {
    case kFirstHalf:
      series_ = ChannelData(chan, false);
      NShown = Half;
      break;
    case kSecondHalf:
      series_ = ChannelData(chan, false);
      if (series_) series_ += Half;
      NShown = Half;
      break;
    case kPower:
    case kMagnitude:
      series_ = ChannelData(chan, true);
      NShown = spectrum ? Half : 2 * Half;
      break;
    case kRunningSum:
    case kDifference:
    case kHistogram:
      series_ = ChannelData(chan, true);
      NShown = 2 * Half;
      break;
    default:  // 2, 8, and an unknown type from a job file: the whole record
      series_ = ChannelData(chan, false);
      NShown = 2 * Half;
      break;
  }
  if (!series_) NShown = 0;
}

void TDispl10::SaneRanges(store::CG_s& g) {
  const store::CG_s& d = store::CG0;
  if (!Finite(g.VFullMax) || !Finite(g.VFullMin)) {
    g.VFullMax = d.VFullMax;
    g.VFullMin = d.VFullMin;
  }
  if (!Finite(g.VMax) || !Finite(g.VMin)) {
    g.VMax = g.VFullMax;
    g.VMin = g.VFullMin;
  }
  if (!Finite(g.XFullMax) || !Finite(g.XFullMin)) {
    g.XFullMax = d.XFullMax;
    g.XFullMin = d.XFullMin;
  }
  if (!Finite(g.XMax) || !Finite(g.XMin)) {
    g.XMax = g.XFullMax;
    g.XMin = g.XFullMin;
  }
}

}  // namespace graph
