#include "daq/ChannelForm.h"

#include <cstring>

#include "files/ColourFile.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/Defaults.h"

namespace daq {
namespace {

constexpr const char* kPageLabels[kPages] = {" 1-16",  " 17-32", " 33-48", " 49-64",
                                             " 65-80", " 81-96", "97-112", "113-128"};

// The flag of a row in a table set; packed, so read and written by element.
int32_t Flag(const store::MG_s& mg, int row, int ch) {
  return row == 0 ? mg.Acquire[ch] : row == 1 ? mg.WDisplay[ch] : mg.MDisplay[ch];
}

void SetFlag(store::MG_s& mg, int row, int ch, int32_t v) {
  if (row == 0)
    mg.Acquire[ch] = v;
  else if (row == 1)
    mg.WDisplay[ch] = v;
  else
    mg.MDisplay[ch] = v;
}

bool ValidCell(int row, int column) {
  return row >= 0 && row < kRows && column >= 0 && column < kPageChannels;
}

}  // namespace

const char* PageLabel(int page) { return page >= 0 && page < kPages ? kPageLabels[page] : ""; }

ChannelForm::ChannelForm(const state::Program& p) : colours_(std::make_unique<store::Col_s>()) {
  if (p.Col_)
    *colours_ = p.Col_[0];
  else
    std::memset(colours_.get(), 0, sizeof(store::Col_s));
  rowShown_[0] = true;
  rowShown_[1] = (p.PG.MemoryMode & store::kPgMemoryWave) != 0;
  rowShown_[2] = (p.PG.MemoryMode & store::kPgMemoryMeas) != 0;
  ShowPage(p, 0);
}

void ChannelForm::ShowPage(const state::Program& p, int page) {
  page_ = page >= 0 && page < kPages ? page : 0;
  for (int row = 0; row < kRows; ++row)
    for (int c = 0; c < kPageChannels; ++c) box_[row][c] = Flag(p.MG, row, FirstChannel() + c) != 0;
}

void ChannelForm::ReadBack(store::MG_s& mg) const {
  for (int row = 0; row < kRows; ++row) {
    if (!rowShown_[row]) continue;
    for (int c = 0; c < kPageChannels; ++c) SetFlag(mg, row, FirstChannel() + c, box_[row][c] ? 1 : 0);
  }
}

bool ChannelForm::RowShown(int row) const { return row >= 0 && row < kRows && rowShown_[row]; }

bool ChannelForm::Box(int row, int column) const { return ValidCell(row, column) && box_[row][column]; }

void ChannelForm::SetBox(int row, int column, bool on) {
  if (ValidCell(row, column) && rowShown_[row]) box_[row][column] = on;
}

void ChannelForm::ChangePage(state::Program& p, int page) {
  if (page < 0 || page >= kPages) return;
  ReadBack(p.MG);
  ShowPage(p, page);
}

bool ChannelForm::SetRow(state::Program& p, int row, bool on) {
  if (!RowShown(row)) return false;
  if (state::AskT(p, on ? 497 : 496, 10) != platform::Answer::Yes) return false;
  for (bool& b : box_[row]) b = on;
  return true;
}

void ChannelForm::Defaults() {
  for (int row = 0; row < kRows; ++row)
    if (rowShown_[row])
      for (int c = 0; c < kPageChannels; ++c) box_[row][c] = Flag(store::MG0, row, FirstChannel() + c) != 0;
}

bool ChannelForm::ChannelPresent(const state::Program& p, store::Store store, int column) const {
  if (column < 0 || column >= kPageChannels) return false;
  const store::Header_s& h = store::IsW(store) ? p.HGW : p.HGB;
  return h.ChannelOn[FirstChannel() + column] != 0;
}

StoreInfo ChannelForm::Info(const state::Program& p, store::Store store) const {
  const store::Header_s& h = store::IsW(store) ? p.HGW : p.HGB;
  return {long(p.DG.TotalSamples), long(p.DG.MaxLength), long(h.Length),
          long(h.ChannelCount) * long(h.Length)};
}

uint32_t ChannelForm::Colour(int column) const {
  if (column < 0 || column >= kPageChannels) return 0;
  return colours_->TraceColor[FirstChannel() + column];
}

void ChannelForm::SetColour(int column, uint32_t colour) {
  if (column >= 0 && column < kPageChannels)
    colours_->TraceColor[FirstChannel() + column] = colour & 0x00FFFFFFu;
}

std::string ChannelForm::ColourTitle(int column) const {
  return "Barva kanálu č. " + std::to_string(FirstChannel() + column + 1);
}

void ChannelForm::InitColours(state::Program& p) {
  if (!p.Col_) return;
  // The factory table is made by `Init_Color` on the program's table; that
  // one must stay as it is until OK, so it is put back at once.
  const store::Col_s live = p.Col_[0];
  files::Init_Color(p);
  *colours_ = p.Col_[0];
  p.Col_[0] = live;
}

int ChannelForm::Accept(state::Program& p) {
  // Counted on a copy: a refused OK leaves the tables as they were.
  store::MG_s mg = p.MG;
  ReadBack(mg);
  int acquired = 0;
  for (int ch = 0; ch < store::kChannels; ++ch)
    if (mg.Acquire[ch]) ++acquired;
  if (acquired == 0) {
    state::MessT(p, 255, 13);
    return 0;
  }
  const int32_t several = acquired > 1 ? 1 : 0;
  mg.RunFlag1 = several;
  mg.RunFlag2 = several;
  p.MG = mg;
  if (p.Col_) p.Col_[0] = *colours_;
  return 1;
}

}  // namespace daq
