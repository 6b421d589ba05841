// The graph window as the main window sees it: user messages, paint and
// the window's own timer.
#include "app/EntryPoints.h"
#include "app/GraphWindows.h"
#include "app/StoreAccess.h"
#include "graph/GraphModel.h"

namespace graph {

void TDispl10::UserMessage(int code, int arg) {
  if (broken_) return;
  if ((code >= 2049 && code <= 2080) || (code >= 2113 && code <= 2116)) {
    HotKey(code);
    return;
  }
  switch (code) {
    case 2000:
    case 2039:
    case 2117:  // the live progress: the samples are in the store already
      Redraw();
      break;
    case 2001:
      MeasurementProgress();
      break;
    case 2003:
      DisplLimits(1);
      break;
    case 2004:
      HorizontalAllExpand();
      break;
    case 2010:
      app::ShowNotAvailable(p_, "Tisk grafu", "Printing the graph");
      break;
    case 2020:
      F7();
      break;
    case 2030:
      F8();
      break;
    case 2031:
      Transform();
      break;
    case 2032:
      WeightFunction();
      break;
    case 2033:
      AutoscaleAll(1, 1, 1);
      break;
    case 2034:
      DisplTypeSet(kPower);
      break;
    case 2035:
      DisplTypeSet(kMagnitude);
      break;
    case 2036:
      DisplTypeSet(kBothHalves);
      break;
    case 2037:
      ZeroOffset();
      break;
    case 2038:
      SetPenWidth(arg);
      break;
    case 2040: {
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
    case 2041:
    case 2046:
      ShowStat(*surface_, code == 2046);
      break;
    case 2042:
    case 2134:
      TakeStoreLimits(code == 2134);
      break;
    case 2043:
    case 2044:
      CopyView(arg);
      Redraw();
      break;
    case 2047:
    case 2048:
      ShowStatEnergo(*surface_, code == 2048);
      break;
    case 2100:
      app::ShowNotAvailable(p_, "Kalibrační dialog", "The calibration dialog");
      break;
    case 2101:
      GoSmooth();
      break;
    case 2119:
      if (RightPanelW > 0) Redraw();  // only windows that show the button bar
      break;
    case 2127:
      RepaintTimeScale();
      break;
    case 2133:
      app::ShowNotAvailable(p_, "Zápis výběru okna jako textu", "Writing the window's selection as text");
      break;
    case 2135:
      DisplTypeSet(kOverlaid);
      break;
    case 2136:
      DisplTypeSet(kBothHalves);
      break;
    case 2137:
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
