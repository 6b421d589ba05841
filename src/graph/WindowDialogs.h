// The dialogs a graph window opens that only the desktop program can show.
// The window fills a request, the dialog edits it and answers whether the
// user accepted; the window then applies the result itself, so the rules
// after a dialog are the same with any front end.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "store/GraphSettings.h"
#include "store/SettingsBlocks.h"
#include "store/Store.h"

namespace state {
struct Program;
}

namespace graph {

// `TMarker_Dialog`: the 20 markers of one channel and the cursor points
// its buttons take.
struct MarkerDialogRequest {
  store::Store store = store::Store::W;
  int chan = 0;
  int32_t nShown = 0;
  int32_t cur1 = 0;
  float value1 = 0;
  int32_t cur2 = 0;
  float value2 = 0;
  store::Marker_s markers[store::kMarkersPerChannel] = {};
};

// `TMultiDisplDialog`: which channels the multi display shows.
struct MultiDisplRequest {
  store::Store store = store::Store::W;
  int ownChan = 0;
  uint32_t mask[4] = {};  // `MultiMask`
  float step = 0;         // `MultiStep`
  // Answered yes to "Zruš kanály": delete every present channel whose box is clear.
  bool deleteUnchosen = false;
};

// `TKal_Dialog`: the dialog's own copy of the five calibration-from-curve
// records and the one shown. Calibrating and undoing happen while it is open;
// the records and the page are kept only when it is accepted.
struct CalibrationDialogRequest {
  store::Kal_s records[5] = {};
  int16_t page = 0;  // `KalPage`
};

struct WindowDialogs {
  // `TCursorModeDialog` over a copy of the window's record; true when accepted.
  std::function<bool(state::Program&, store::CG_s&, const std::string& title)> cursorMode;
  std::function<bool(state::Program&, MultiDisplRequest&)> multiDispl;
  std::function<bool(state::Program&, MarkerDialogRequest&)> marker;
  std::function<bool(state::Program&, CalibrationDialogRequest&)> calibration;
  // `TTiskDialog` over a copy of the print record; true when "Tisk" was pressed.
  std::function<bool(state::Program&, store::Prt_s&, const std::string& title)> print;
};

}  // namespace graph
