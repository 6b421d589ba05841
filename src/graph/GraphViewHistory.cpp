// The history of views (IL, IR) kept per channel in the colour record, so that
// it outlives the window. The record has one history per channel number: the
// waveform and the measurement window of a channel share it, and a view that
// does not fit the other store's record is adjusted when it is shown.
#include <algorithm>

#include "graph/GraphModel.h"
#include "state/Messages.h"

namespace graph {
namespace {

constexpr int kHistoryCaption = 132;

// The count and position come from a file: keep them inside the table.
void SaneHistory(store::Col_s& col, int chan) {
  int16_t& count = col.ViewCount[chan];
  int16_t& pos = col.ViewPos[chan];
  count = std::clamp<int16_t>(count, 0, store::kViewHistory);
  pos = std::clamp<int16_t>(pos, -1, int16_t(count - 1));
}

}  // namespace

void TDispl10::CursorSave(int what, int which, bool ask) {
  if (broken_ || !p_.Col_) return;
  store::Col_s& col = *p_.Col_.get();
  const int c = OwnChan;
  SaneHistory(col, c);
  int16_t& count = col.ViewCount[c];
  int16_t& pos = col.ViewPos[c];
  auto confirmed = [&](const std::string& text) {
    return !ask || p_.ui().AskYesNo(text, state::Txt(p_, kHistoryCaption)) == platform::Answer::Yes;
  };
  if (what == 0) {
    if (count >= store::kViewHistory) return state::MessT(p_, 1355, kHistoryCaption);
    if (!confirmed(state::Txt(p_, 1366))) return;
    ++count;
    ++pos;
    // The views after the current one move up to make room after it.
    for (int k = count - 1; k > pos; --k) {
      col.ViewIL[c][k] = col.ViewIL[c][k - 1];
      col.ViewIR[c][k] = col.ViewIR[c][k - 1];
    }
    col.ViewIL[c][pos] = Own().IL;
    col.ViewIR[c][pos] = Own().IR;
    return;
  }
  if (which == 0) {
    if (!confirmed(state::Txt(p_, 1363))) return;
    count = 0;
    pos = -1;
    return;
  }
  if (pos < 0) return state::MessT(p_, 1365, kHistoryCaption);
  if (!confirmed(state::TxtF(p_, 1364, {pos + 1}))) return;
  for (int k = pos; k + 1 < count; ++k) {
    col.ViewIL[c][k] = col.ViewIL[c][k + 1];
    col.ViewIR[c][k] = col.ViewIR[c][k + 1];
  }
  --count;
  --pos;
}

void TDispl10::CursorRestore(int step, bool report) {
  if (broken_ || !p_.Col_) return;
  store::Col_s& col = *p_.Col_.get();
  const int c = OwnChan;
  SaneHistory(col, c);
  const int count = col.ViewCount[c];
  if (count == 0) return state::MessT(p_, 1351, kHistoryCaption);
  const int pos = std::clamp(int64_t(col.ViewPos[c]) + step, int64_t(0), int64_t(count - 1));
  col.ViewPos[c] = int16_t(pos);
  store::CG_s& g = Own();
  int32_t il = col.ViewIL[c][pos], ir = col.ViewIR[c][pos];
  bool corrected = false;
  if (il >= NShown - 1 || il < 0) il = 0, corrected = true;
  if (ir >= NShown) ir = NShown - 1, corrected = true;
  if (ir <= il) il = 0, corrected = true;
  g.IL = il;
  g.IR = ir;
  // An adjusted view is shown too: the record already holds it, and a
  // picture of the previous view would not match the scales read from it.
  MultiCopy();
  Finish();
  if (corrected && report) state::Mess(p_, state::TxtF(p_, 1367, {pos + 1}), state::Txt(p_, kHistoryCaption));
}

}  // namespace graph
