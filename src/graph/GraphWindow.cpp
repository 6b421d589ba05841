// The graph window as the main window sees it: user messages, paint and
// the window's own timer.
#include "app/EntryPoints.h"
#include "app/GraphWindows.h"
#include "app/StoreAccess.h"
#include "app/UserMessages.h"
#include "graph/GraphModel.h"

namespace graph {

void TDispl10::UserMessage(int code, int arg) {
  if (broken_) return;
  if (app::IsHotKey(code)) {
    HotKey(code);
    return;
  }
  switch (code) {
    case app::kRedrawAll:
    case app::kRedrawWhole:
    case app::kLiveProgress:  // the live progress: the samples are in the store already
      Redraw();
      break;
    case app::kMeasurementProgress:
      MeasurementProgress();
      break;
    case app::kApplyLimits:
      DisplLimits(1);
      break;
    case app::kExpandWhole:
      HorizontalAllExpand();
      break;
    case app::kPrintGraph:
      app::ShowNotAvailable(p_, "Tisk grafu", "Printing the graph");
      break;
    case app::kHistoryAdd:
      F7();
      break;
    case app::kHistoryClear:
      F8();
      break;
    case app::kTransform:
      Transform();
      break;
    case app::kWeightingWindow:
      WeightFunction();
      break;
    case app::kAutoscaleAll:
      AutoscaleAll(1, 1, 1);
      break;
    case app::kShowPower:
      DisplTypeSet(kPower);
      break;
    case app::kShowMagnitude:
      DisplTypeSet(kMagnitude);
      break;
    case app::kShowBothHalves:
      DisplTypeSet(kBothHalves);
      break;
    case app::kZeroOffset:
      ZeroOffset();
      break;
    case app::kPenWidth:
      SetPenWidth(arg);
      break;
    case app::kDataChanged: {
      // The channel may have moved in the store, the record length changed.
      Offset = app::Pocatek(p_, IsW, OwnChan);
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
    case app::kStatistics:
    case app::kStatisticsCursors:
      ShowStat(*surface_, code == app::kStatisticsCursors);
      break;
    case app::kStoreLimitsQuiet:
    case app::kStoreLimits:
      TakeStoreLimits(code == app::kStoreLimits);
      break;
    case app::kViewCopied:
    case app::kViewCopiedAll:
      CopyView(arg);
      Redraw();
      break;
    case app::kPowerPanel:
    case app::kPowerPanelCursors:
      ShowStatEnergo(*surface_, code == app::kPowerPanelCursors);
      break;
    case app::kCalibrationDialog:
      app::ShowNotAvailable(p_, "Kalibrační dialog", "The calibration dialog");
      break;
    case app::kSmooth:
      GoSmooth();
      break;
    case app::kRedrawVerticalBar:
      if (RightPanelW > 0) Redraw();  // only windows that show the button bar
      break;
    case app::kRepaintTimeScale:
      RepaintTimeScale();
      break;
    case app::kWriteSelectionText:
      app::ShowNotAvailable(p_, "Zápis výběru okna jako textu", "Writing the window's selection as text");
      break;
    case app::kOverlaidHalves:
      DisplTypeSet(kOverlaid);
      break;
    case app::kSeparateHalves:
      DisplTypeSet(kBothHalves);
      break;
    case app::kAutoscaleAllMagnitude:
      F5_ALL_MAG();
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
  app::FirstPaintDone(p_);
}

void TDispl10::Timer() {
  // The acceleration of repeated steps lasts one burst of key repeats.
  Div = 50;
  if (broken_) return;
  if (RedrawAll || RedrawBackground || RedrawText)
    DisplControl();
  else if (RedrawCursors)
    DrawCursor(0);  // only the cursors moved: no repaint under them
}

}  // namespace graph
