// The window's selection as text columns (kWriteSelectionText): the shown
// section, or the section between the cursors, of the channel or of every
// channel a multi display shows, next to the last waveform file.
#include <algorithm>
#include <optional>
#include <vector>

#include "files/ColumnExport.h"
#include "files/DataFileFormat.h"
#include "graph/GraphModel.h"
#include "state/Messages.h"
#include "store/FixedText.h"

namespace graph {

void TDispl10::Write_ASCII() {
  if (broken_) return;
  const int32_t n = p_.Header(IsW).Length;
  if (n < 1) return;
  // Cursors and view count in the shown series; the second half starts mid-record.
  const int64_t base = Act().DisplType == kSecondHalf ? Half : 0;
  const store::CG_s& g = Own();
  int64_t from = int64_t(g.IL) + base, to = int64_t(g.IR) + base;
  const bool ask = !p_.MacGoing && p_.plat.ui;
  if (ask && g.Cur1 != g.Cur2 &&
      p_.ui().AskYesNo(state::Lang(p_, "Zapsat jen úsek mezi kurzory? (Ne: zobrazený úsek)",
                                   "Write only the section between the cursors? (No: the section shown)"),
                       state::Txt(p_, 15)) == platform::Answer::Yes) {
    from = int64_t(g.Cur1) + base;
    to = int64_t(g.Cur2) + base;
  }
  int decimals = 4;
  if (ask) {
    std::optional<int64_t> d = p_.ui().PromptInt(state::Txt(p_, 1372), 1, 7, decimals);
    if (!d) return;
    decimals = int(std::clamp<int64_t>(*d, 1, 7));
  }
  std::vector<int> channels;
  for (int k = 0; k < store::kChannels; ++k)
    if (g.Multi ? IsShown(k) : k == DataChannel()) channels.push_back(k);
  const std::string name = files::ColumnFileName(store::FieldText(p_.WG.LastWaveFile), "_v.TXT");
  bool stopped = false;
  if (!files::WriteColumnsRange(p_, name, IsW, channels, from, to, decimals, &stopped)) {
    if (!stopped) state::MessT(p_, 319, 13);
    return;
  }
  const std::string viewer = state::Txt(p_, 5);
  if (p_.plat.process && !viewer.empty()) p_.plat.process->Start({viewer, files::ResolveDataName(p_, name)});
}

}  // namespace graph
