// The video memory: up to ten pictures of the trace kept per channel in the
// program's tables (so that they outlive the window) and drawn under the
// current trace.
#include <algorithm>
#include <cstring>
#include <new>

#include "graph/GraphModel.h"

namespace graph {
namespace {

constexpr size_t kPointBytes = sizeof(PicturePoint);
static_assert(kPointBytes == 8);

}  // namespace

int TDispl10::HBufCount() const {
  const uint16_t n = (store::IsW(IsW) ? p_.WHNumb : p_.MHNumb)[OwnChan];
  return std::min<int>(n, state::kHistEntries);
}

void TDispl10::AddHBuf() {
  const int n = HBufCount();
  if (n >= state::kHistEntries || pictureCount_ <= 0 || !pictureBlock_) return;
  // A stored picture counts its points in 16 bits.
  const size_t count = std::min<size_t>(size_t(pictureCount_), 65535);
  const size_t bytes = count * kPointBytes;
  if (p_.AllocationLimit >= 0 && p_.TotalDataAlloc + double(bytes) > p_.AllocationLimit) return;
  std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[bytes]);
  if (!data) return;
  std::memcpy(data.get(), pictureBlock_.get(), bytes);
  state::HistEntry& e = (store::IsW(IsW) ? p_.WHBuf : p_.MHBuf)[OwnChan][n];
  e.data = std::move(data);
  e.size = uint16_t(count);
  (store::IsW(IsW) ? p_.WHNumb : p_.MHNumb)[OwnChan] = uint16_t(n + 1);
  p_.TotalDataAlloc += double(bytes);
}

void TDispl10::ClearHBufAll(bool all) {
  int n = HBufCount();
  const int keep = all ? 0 : std::max(n - 1, 0);
  auto& table = (store::IsW(IsW) ? p_.WHBuf : p_.MHBuf)[OwnChan];
  for (int k = keep; k < n; ++k) {
    if (table[k].data) p_.TotalDataAlloc -= double(table[k].size) * kPointBytes;
    table[k].data.reset();
    table[k].size = 0;
  }
  (store::IsW(IsW) ? p_.WHNumb : p_.MHNumb)[OwnChan] = uint16_t(keep);
}

void TDispl10::DrawStoredPictures(platform::Canvas& dc) {
  const int n = HBufCount();
  const store::CG_s& g = Own();
  const auto& table = (store::IsW(IsW) ? p_.WHBuf : p_.MHBuf)[OwnChan];
  const int right = PlotLeft + PlotW, bottom = PlotTop + PlotH;
  for (int i = 0; i < n; ++i) {
    const state::HistEntry& e = table[i];
    if (!e.data || e.size == 0) continue;
    uint32_t colour;
    if (g.PrintMode && p_.Prt && !p_.Prt.get()->Colour)
      colour = 0;
    else if (g.WhiteMode)
      colour = 192;  // red (192, 0, 0)
    else
      colour = uint32_t((255 - 64 * (n - 1 - i)) & 0xFF) * 0x010101u;
    // Pictures may come from a history file: keep every point in the plot.
    stored_.resize(e.size);
    std::memcpy(stored_.data(), e.data.get(), size_t(e.size) * kPointBytes);
    const bool xy = IsXY();
    for (PicturePoint& pt : stored_) {
      // The breaks of an XY picture stay breaks.
      pt.x = xy && pt.x <= kNoPointX ? kNoPointX : std::clamp<int32_t>(pt.x, PlotLeft, right);
      pt.y = std::clamp<int32_t>(pt.y, PlotTop, bottom);
    }
    PictureBufferOut(dc, stored_.data(), int32_t(stored_.size()), colour);
  }
}

}  // namespace graph
