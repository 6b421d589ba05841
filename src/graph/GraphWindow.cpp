// The graph window as the main window sees it: user messages, paint and
// the window's own timer.
#include "daq/RunState.h"
#include "graph/GraphModel.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"

namespace graph {

void TDispl10::UserMessage(int code, int arg) {
  if (broken_) return;
  if (state::IsHotKey(code)) {
    HotKey(code);
    return;
  }
  switch (code) {
    case state::kRedrawAll:
    case state::kRedrawWhole:
    case state::kLiveProgress:  // the live progress: the samples are in the store already
      Redraw();
      break;
    case state::kMeasurementProgress:
      MeasurementProgress();
      break;
    case state::kApplyLimits:
      DisplLimits(1);
      break;
    case state::kExpandWhole:
      HorizontalAllExpand();
      break;
    case state::kPrintGraph:
      if (arg >= state::kPrintInPhase - 1 && arg <= state::kPrintInPhase + 2)
        PrinterDispl(arg - state::kPrintInPhase);
      else
        Printer(0);
      break;
    case state::kHistoryAdd:
      F7();
      break;
    case state::kHistoryClear:
      F8();
      break;
    case state::kTransform:
      Transform();
      break;
    case state::kWeightingWindow:
      WeightFunction();
      break;
    case state::kAutoscaleAll:
      AutoscaleAll({.redraw = true, .wholeRecord = true, .skipZeros = true});
      break;
    case state::kShowPower:
      DisplTypeSet(kPower);
      break;
    case state::kShowMagnitude:
      DisplTypeSet(kMagnitude);
      break;
    case state::kShowBothHalves:
      DisplTypeSet(kBothHalves);
      break;
    case state::kZeroOffset:
      ZeroOffset();
      break;
    case state::kPenWidth:
      SetPenWidth(arg);
      break;
    case state::kDataChanged: {
      // The channel may have moved in the store, the record length changed.
      Offset = state::Pocatek(p_, IsW, OwnChan);
      const int32_t oldHalf = Half;
      Rebuild();
      if (Half != oldHalf && !AllocatePicture()) {
        broken_ = true;
        return;
      }
      UpravAktivniKanal();
      SetPointer();
      OK_IL_IR();
      Redraw();
      break;
    }
    case state::kStatistics:
    case state::kStatisticsCursors:
      ShowStat(*surface_, code == state::kStatisticsCursors);
      break;
    case state::kStoreLimitsQuiet:
    case state::kStoreLimits:
      TakeStoreLimits(code == state::kStoreLimits);
      break;
    case state::kViewCopied:
    case state::kViewCopiedAll:
      CopyView(arg);
      Redraw();
      break;
    case state::kPowerPanel:
    case state::kPowerPanelCursors:
      ShowStatEnergo(*surface_, code == state::kPowerPanelCursors);
      break;
    case state::kCalibrationDialog:
      Calibration();
      break;
    case state::kSmooth:
      GoSmooth();
      break;
    case state::kRedrawVerticalBar:
      if (RightPanelW > 0) Redraw();  // only windows that show the button bar
      break;
    case state::kRepaintTimeScale:
      RepaintTimeScale();
      break;
    case state::kWriteSelectionText:
      Write_ASCII();
      break;
    case state::kOverlaidHalves:
      DisplTypeSet(kOverlaid);
      break;
    case state::kSeparateHalves:
      DisplTypeSet(kBothHalves);
      break;
    case state::kAutoscaleAllMagnitude:
      F5_ALL_MAG();
      break;
    case state::kLiveAcquisition:
      // The run that sent it reads the result once the record is taken.
      daq::Runs(p_).LiveResult = TRV_QW_ZIVE();
      p_.DoQW = 0;
      break;
    default:
      break;  // codes of other windows
  }
}

void TDispl10::Paint() {
  if (!broken_) {
    Layout();
    DoClear = RedrawAll = RedrawText = 1;
    if (ClientH > 50)
      for (int i = 0; i < 4; ++i) Own().WinRect[i] = rect_[i];
    if (recording_ && surface_ == recording_) recording_->Clear();  // a full paint replaces the picture
    DisplControl();
  }
  // The first paint releases a macro that waits for its windows, even when
  // the window could not draw.
  if (painted_) return;
  painted_ = true;
  state::FirstPaintDone(p_);
}

void TDispl10::Timer() {
  if (broken_) {
    Div = 50;
    return;
  }
  store::CG_s& g = Own();
  TimerToolTip();
  // Only a multi display lets another channel be the active one.
  if (!g.Multi && ActChan != OwnChan) {
    ActChan = OwnChan;
    SetPointer();
  }
  ApplyPendingLayout();
  // A deferred redraw waits two ticks after the last one, so a burst of
  // requests costs one repaint.
  bool redrawn = false;
  if (BusyCount == 0 && (RedrawAll || RedrawBackground || RedrawText || AutoscaleAfterResize)) {
    if (AutoscaleAfterResize) {
      AutoscaleAfterResize = 0;
      AutoscaleAll({.redraw = true, .wholeRecord = true, .skipZeros = true});
    } else {
      DisplControl();
    }
    BusyCount = 2;
    redrawn = true;
  }
  if (RedrawScales && !redrawn) {
    RefreshScales();
  } else if (RedrawCursors && !redrawn) {
    DrawCursor(0);  // only the cursors moved: no repaint under them
  }
  RedrawScales = 0;
  if (firstTick_ || RedrawInfo) TextInfoCreateRefresh();
  firstTick_ = false;
  RedrawInfo = 0;
  Armed = 1;
  // The acceleration of repeated steps lasts while a key is held.
  if (!KeyEnable) Div = 50;
  if (BusyCount > 0) --BusyCount;
}

void TDispl10::ApplyPendingLayout() {
  const store::CG_s& g = Own();
  const int16_t bottom = g.BottomBar ? 24 : 0;
  int16_t scale = 0;
  if (g.VScale) scale = g.PrintMode ? 90 : (g.DisplFlags & store::kDisplOneLineUnit) ? int16_t(50 * 1.3) : 50;
  const int16_t strip = g.KeyPanel ? 42 : 0;
  if (bottom != BottomBarH || scale != VScaleW || strip != KeyStripH) {
    BottomBarH = bottom;
    VScaleW = scale;
    KeyStripH = strip;
    Layout();
    KoefX();
    LayoutChanged = DoClear = RedrawAll = 1;
  }
  if (RedrawKeys) RedrawAll = 1;  // the panels are drawn with the window
}

void TDispl10::RefreshScales() {
  store::CG_s& g = Own();
  SelectSeries();
  OK_IL_IR();
  SetMaxMinIn(g.IL, g.IR, 0, 0, 0);
  platform::Canvas& dc = *surface_;
  // The cursors' marks reach into the value scale: they are taken away while
  // the picture under them is still the one they were drawn on, and drawn
  // anew on the fresh scales, or an exclusive-or would later leave them behind.
  EraseCursors(dc);
  const uint32_t window = (g.DisplFlags & store::kDisplWhiteWindow) ? 0xFFFFFF : 0xC0C0C0;
  if (VScaleW > 0) dc.FillRect(0, PlotTop, PlotLeft - 1, PlotTop + PlotH + 1, window);
  dc.FillRect(PlotLeft - 1, PlotTop + PlotH + 1, ClientW, ClientH, window);
  PaintScale(dc);
  PaintVScale(dc);
  if (!g.Multi) PaintMarker(dc, OwnChan, 0.0f);
  PaintLimits(dc);
  PaintCursors(dc);
  RedrawCursors = 0;
  Busy(false);
}

}  // namespace graph
