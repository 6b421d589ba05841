// The channel selection dialog (`TMultiDialog`) without its window: a page
// of 16 channels with three rows of check boxes over the flag tables of `MG`
// (acquired, waveform window, measurement window), the dialog's copy of the
// trace colours, and the write-back rules. The flag tables are written back
// page by page, on every page change; the colours only on OK.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "store/GlobalSettings.h"
#include "store/SettingsBlocks.h"
#include "store/Store.h"

namespace state {
struct Program;
}

namespace daq {

inline constexpr int kPageChannels = 16;
inline constexpr int kPages = 8;
inline constexpr int kRows = 3;  // 0 acquired, 1 waveform window, 2 measurement window

// The entries of the page list (control 734).
const char* PageLabel(int page);

// The information box of one store.
struct StoreInfo {
  long totalSamples, maxLength;  // the sample capacity (`DG`)
  long length;                   // the store's `Length`
  long used;                     // `ChannelCount` × `Length`
};

class ChannelForm {
 public:
  // Takes the dialog's copy of the colour table and shows page 0.
  explicit ChannelForm(const state::Program& p);

  int Page() const { return page_; }
  int FirstChannel() const { return page_ * kPageChannels; }

  // Row 0 is always shown; row 1 when the waveform store exists (memory mode
  // bit 0), row 2 when the measurement store does (bit 1).
  bool RowShown(int row) const;
  bool Box(int row, int column) const;
  // A box of a hidden row stays as it is.
  void SetBox(int row, int column, bool on);

  // Control 734: the boxes of the page left go back into the flag tables,
  // then the new page is shown.
  void ChangePage(state::Program& p, int page);

  // "X" / "_" beside a row: after a Yes to the question (general text 497
  // or 496, title 10) every box of the row is checked / cleared. Answers
  // whether it was.
  bool SetRow(state::Program& p, int row, bool on);

  // "&Init." (`DefaultMess`): the boxes of the page from the factory tables.
  void Defaults();

  // The channel-present picture under a column: the store header's `ChannelOn`.
  bool ChannelPresent(const state::Program& p, store::Store store, int column) const;
  StoreInfo Info(const state::Program& p, store::Store store) const;

  // The colour row: the dialog's copy of each column's trace colour.
  uint32_t Colour(int column) const;
  void SetColour(int column, uint32_t colour);
  // The colour dialog's title for a column ("Barva kanálu č. %d").
  std::string ColourTitle(int column) const;
  // "init" (1270): the factory colour table into the dialog's copy.
  void InitColours(state::Program& p);

  // `CanClose`: the boxes of the page go back into the flag tables; with no
  // channel acquired at all the dialog stays open (general text 255, title
  // 13) and the tables stay as they were before OK. Otherwise the run flags
  // of `MG` (more than one channel acquired) and the colour table are
  // written. Answers 1 when the dialog may close.
  int Accept(state::Program& p);

 private:
  void ShowPage(const state::Program& p, int page);
  void ReadBack(store::MG_s& mg) const;

  int page_ = 0;
  bool rowShown_[kRows] = {};
  bool box_[kRows][kPageChannels] = {};
  std::unique_ptr<store::Col_s> colours_;
};

}  // namespace daq
