// The graph window as the main window sees it: user messages, paint and
// the window's own timer.
#include "app/StoreAccess.h"
#include "graph/GraphModel.h"

namespace graph {

void TDispl10::UserMessage(int code, int arg) {
  if (broken_) return;
  switch (code) {
    case 2000:
    case 2039:
      RedrawAll = 1;
      DisplControl();
      break;
    case 2003:
      DisplLimits(1);
      break;
    case 2004:
      HorizontalAllExpand();
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
      RedrawAll = 1;
      DisplControl();
      break;
    }
    case 2043:
    case 2044:
      CopyView(arg);
      RedrawAll = 1;
      DisplControl();
      break;
    default:
      break;  // the codes of the other graph operations
  }
}

void TDispl10::Paint() {
  if (!broken_) {
    Layout();
    DoClear = RedrawAll = RedrawText = 1;
    if (ClientH > 50)
      for (int i = 0; i < 4; ++i) Own().WinRect[i] = rect_[i];
    if (surface_ == ownSurface_.get()) ownSurface_->Clear();  // a full paint replaces the picture
    DisplControl();
  }
  // The first paint releases a macro that waits for its windows, even when
  // the window could not draw.
  if (painted_) return;
  painted_ = true;
  if (p_.DisplayLeft > 0) --p_.DisplayLeft;
  if (p_.MacGoing) p_.MacAgain = 1;
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
