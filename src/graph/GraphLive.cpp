// The live acquisition of the first waveform window: the record taken scan
// by scan, every new sample drawn at once, the view moved on at its right
// edge, the running statistics in the value panel.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "daq/CardState.h"
#include "daq/Conversion.h"
#include "daq/MonitoringLog.h"
#include "daq/RecordConversion.h"
#include "daq/RunCommon.h"
#include "daq/RunState.h"
#include "daq/Sampling.h"
#include "daq/Simulation.h"
#include "graph/GraphMath.h"
#include "graph/GraphModel.h"
#include "state/Messages.h"
#include "state/StoreAccess.h"

namespace graph {
namespace {

constexpr int kEscape = 27, kPause = 19, kMouseButton = 1, kUp = 38, kDown = 40;
// The value panel is rewritten at most this often while scans arrive.
constexpr uint32_t kPanelMs = 250;
// A card that delivers no scan for this long (beyond the scan period) is
// taken for a failed one, so that the loop cannot wait for ever.
constexpr uint32_t kNoScanMs = 3000;
constexpr const char* kNoScanText = "Karta nedodává vzorky, měření je přerušeno";

}  // namespace

void TDispl10::LiveTraces() {
  liveTraces_.clear();
  const store::CG_s& g = Own();
  const int32_t type = Act().DisplType;
  // Only a time display gets the samples as segments; spectra, histograms
  // and the XY plot show the record when it is redrawn.
  if (IsXY() || (type != kFirstHalf && type != kBothHalves)) return;
  auto colour = [&](int k) {
    return ColourOverride ? OverrideColour : (p_.Col_ ? p_.Col_.get()->TraceColor[k] : 0xFFFFFFu);
  };
  if (!g.Multi) {
    liveTraces_.push_back({OwnChan, colour(OwnChan), double(PlotTop + PlotH), double(g.VMin), double(KY)});
    return;
  }
  // The bands of the multi display, as its repaint lays them out.
  const bool strips = (g.MultiFlags & store::kMultiStrips) != 0;
  const bool ownScales = g.MultiMode == 1 || strips;
  const bool offsets = g.MultiMode == 2 && !strips;
  int ownOrdinal = 0, ordinal = 0;
  for (int k = 0; k < OwnChan; ++k)
    if (IsShown(k)) ++ownOrdinal;
  for (int k = 0; k < store::kChannels; ++k) {
    if (!IsShown(k)) continue;
    const int n = ordinal++;
    double vMax = g.VMax, vMin = g.VMin;
    if (ownScales) {
      vMax = k == OwnChan ? ownVMax_ : Graph(k).VMax;
      vMin = k == OwnChan ? ownVMin_ : Graph(k).VMin;
    }
    double top = PlotTop, height = PlotH;
    if (strips && !StripOf(k, top, height)) continue;
    const double shift = offsets ? double(ownOrdinal - n) * g.MultiStep : 0.0;
    liveTraces_.push_back({k, colour(k), top + height, vMin - shift, BandScale(height, vMax, vMin)});
  }
}

void TDispl10::LiveRepaint() {
  Redraw();
  LiveTraces();
  LiveValues v;
  v.sum = WR;
  v.max = WR_max;
  v.min = WR_min;
  v.count = float(MonIndx + 1);
  v.lines = MonIndx >= 0 ? 3 : 1;  // no extremes before the first sample
  PaintValues(*surface_, v);
  livePanelTick_ = daq::NowMs(p_);
}

bool TDispl10::LiveKey(int key) {
  switch (key) {
    case kEscape:
    case kPause:
      return true;
    case kMouseButton:
      if (IsXY()) LiveRepaint();
      break;
    case 'P':
      Vert_Bar_Control(4, 0, 0);
      LiveRepaint();
      break;
    case 'M':
      SetCHANM();
      LiveRepaint();
      break;
    case kUp:
      VerticalAllExpand();
      LiveRepaint();
      break;
    case kDown:
      LeftDataShift();
      LiveRepaint();
      break;
    default:
      break;  // taken off the queue and dropped
  }
  return false;
}

void TDispl10::DisplZive(platform::Canvas& dc) {
  store::CG_s& g = Own();
  const int32_t last = std::max(NShown, 1) - 1;
  if (MonIndx > g.IR && g.IR < last) {
    const int32_t width = std::max(g.IR - g.IL, 1);
    g.IR = std::min(g.IR + width, last);
    g.IL = std::max(g.IR - width, 0);
    LiveRepaint();
  }
  if (MonIndx >= g.IL && MonIndx <= g.IR && !liveTraces_.empty()) {
    const int x1 = FloatGlobalVertToMouse(float(MonIndx));
    const bool first = MonIndx == g.IL;
    const int x0 = first ? x1 : FloatGlobalVertToMouse(float(MonIndx - 1));
    const double top = PlotTop, bottom = PlotTop + PlotH;
    auto y = [&](const LiveTrace& t, float v) {
      const double py = t.base - (double(v) - t.vMin) * t.ky;
      return int(std::isfinite(py) ? std::clamp(py, top, bottom) : bottom);
    };
    for (const LiveTrace& t : liveTraces_) {
      const float v = Mon[t.chan];
      dc.SetPen(t.colour, 1);
      dc.Line({x0, y(t, first ? v : monPrev_[t.chan])}, {x1, y(t, v)});
    }
  }
  for (const LiveTrace& t : liveTraces_) monPrev_[t.chan] = Mon[t.chan];
  WR_Numb_act += 1.0f;
  const int32_t every = p_.WG.LivePointsPerRefresh;
  if (every > 0 && WR_Numb_act >= float(every)) {
    WR_Numb_act = 0;
    LiveRepaint();
  } else if (daq::NowMs(p_) - livePanelTick_ >= kPanelMs) {
    LiveValues v;
    v.sum = WR;
    v.max = WR_max;
    v.min = WR_min;
    v.count = float(MonIndx + 1);
    v.lines = 3;
    PaintValues(dc, v);
    livePanelTick_ = daq::NowMs(p_);
  }
}

int32_t TDispl10::LiveScans(bool simulate, const std::vector<int>& chans, int16_t* raw, size_t len) {
  state::Program& p = p_;
  const size_t n = chans.size();
  std::vector<daq::ChannelConversion> conv;
  std::vector<int> pos(n, 0);
  std::vector<char> live(n);
  for (size_t k = 0; k < n; ++k) {
    conv.push_back(daq::MakeConversion(p, chans[k]));
    live[k] = daq::WritesLiveValues(p, chans[k]);
  }
  float* w = p.Waveform.get();
  int16_t scan[daq::kScanSize] = {};
  if (!simulate) {
    if (!daq::BOARD_StartSamplingINT(p)) return -1;
    for (size_t k = 0; k < n; ++k) pos[k] = daq::ScanPosition(p, chans[k]);
  }
  const double period = std::max<double>(p.RefA().WPeriod, 0.0);
  const uint32_t patience = kNoScanMs + uint32_t(std::min(period * 4.0, 3.6e6));
  daq::CardState& card = daq::Card(p);
  size_t s = 0;
  for (; s < len; ++s) {
    if (simulate) {
      if (LiveKey(p.ui().TakeKey())) break;
      for (size_t k = 0; k < n; ++k)
        // The amplitude grows with the channel number and wraps as 16-bit
        // codes do on the upper channels.
        raw[k * len + s] = int16_t(daq::SimLiveCode(p, card.SimPhase, chans[k]));
      card.SimPhase = daq::SimNextPhase(card.SimPhase);
    } else {
      bool stop = false;
      const uint32_t since = daq::NowMs(p);
      for (;;) {
        if (LiveKey(p.ui().TakeKey())) {
          stop = true;
          break;
        }
        const int got = daq::BOARD_GetData(p, scan);
        if (got == 1) break;
        if (got == daq::kReadRecovered) {  // reported by the card layer
          stop = true;
          break;
        }
        if (daq::NowMs(p) - since > patience) {
          state::Mess(p, kNoScanText, state::Txt(p, 14));
          stop = true;
          break;
        }
      }
      if (stop) break;
      for (size_t k = 0; k < n; ++k) raw[k * len + s] = pos[k] < 0 ? 0 : scan[pos[k]];
    }
    for (size_t k = 0; k < n; ++k) {
      const int ch = chans[k];
      const float v = conv[k](float(raw[k * len + s]));
      Mon[ch] = v;
      WR[ch] += v;
      WR_max[ch] = std::max(WR_max[ch], v);
      WR_min[ch] = std::min(WR_min[ch], v);
      if (live[k]) w[k * len + s] = v;
    }
    MonIndx = int32_t(s);
    DisplZive(*surface_);
  }
  if (!simulate) (void)daq::BOARD_StopSamplingINT(p);
  return int32_t(s);
}

int32_t TDispl10::TRV_QW_ZIVE() {
  state::Program& p = p_;
  if (!p.A || !p.Waveform) return 0;
  daq::RunState& r = daq::Runs(p);
  p.INTERRUPT = 0;
  std::fill(WR, WR + store::kChannels, 0.0f);
  std::fill(WR_max, WR_max + store::kChannels, -FLT_MAX);
  std::fill(WR_min, WR_min + store::kChannels, FLT_MAX);
  WR_Numb_act = 0;
  MonIndx = -1;  // nothing gathered yet
  p.PG.Flags = int16_t(p.PG.Flags | store::kPgKeepInterrupted);
  Offset = state::Pocatek(p, IsW, OwnChan);
  LiveRepaint();

  p.GoQWAgain = 0;
  const std::vector<int> chans = daq::AcquiredChannels(p);
  const size_t n = chans.size();
  const size_t len = daq::RecordLength(p, n);
  if (len == 0) return 0;
  // Laid out by channel: channel k's code of scan s at k × len + s.
  daq::RawBuffer raw(p);
  if (!raw.Allocate(n * len)) {
    state::MessT(p, 369, 14);
    return 0;
  }
  const bool slow = double(len) * double(p.RefA().WPeriod) >= 500.0;
  if (slow) p.ui().SetCursor("AQT");
  daq::WaitForNoInput(p);

  const bool simulate = daq::Simulating(p);
  const int32_t scans = LiveScans(simulate, chans, raw.data(), len);
  if (scans < 0) {  // the card did not start; it said why
    if (slow) p.ui().SetCursor("");
    return 0;
  }
  const size_t taken = size_t(scans);
  const int32_t result = taken == len ? 1 : 0;
  if (!result) {
    p.INTERRUPT = 1;
    p.DoQW = 0;
    p.GoQWAgain = 1;
  }

  std::fill(p.WFreq, p.WFreq + store::kChannels, 0);
  float* w = p.Waveform.get();
  for (size_t k = 0; k < n; ++k) {
    // Channels the card cannot scan have no codes.
    const bool scanned = simulate || chans[k] < daq::kScanSize;
    daq::ConvertChannelRecord(p, chans[k], w + k * len, len, scanned ? raw.data() + k * len : nullptr, 1,
                              taken);
  }
  if (!result && (p.PG.Flags & store::kPgAskShortenLive) &&
      state::AskT(p, 1375, 15) == platform::Answer::Yes) {
    // The channels close up behind the shorter record.
    const size_t shorter = std::clamp<size_t>(taken, std::min<size_t>(16, len), len);
    for (size_t k = 1; k < n; ++k) std::memmove(w + k * shorter, w + k * len, shorter * sizeof(float));
    p.HGW.Length = int32_t(shorter);
  }

  r.PocetVln += 1.0f;
  p.DoPanel = 1;
  if (slow) p.ui().SetCursor("");
  (void)daq::WriteMonit(p);
  if (IsXY()) LiveRepaint();
  return result;
}

}  // namespace graph
