#include "app/Allocation.h"

#include <algorithm>

#include "state/Program.h"

namespace app {
namespace {

template <typename T>
bool AllocateFilled(Program& p, state::Block<T>& block, size_t n, const T& value) {
  if (!p.Allocate(block, n)) return false;
  std::fill(block.get(), block.get() + n, value);
  return true;
}

}  // namespace

bool AllocateRecords(Program& p) {
  const size_t markers = size_t(store::kChannels) * store::kMarkersPerChannel;
  bool ok = AllocateFilled(p, p.MarkerW, markers, store::Marker0);
  ok = AllocateFilled(p, p.MarkerB, markers, store::Marker0) && ok;
  ok = AllocateFilled(p, p.CGW, store::kChannels, store::CG0) && ok;
  ok = AllocateFilled(p, p.CGB, store::kChannels, store::CG0) && ok;
  ok = AllocateFilled(p, p.A, store::kChannels, store::A0) && ok;
  ok = AllocateFilled(p, p.M, store::kChannels, store::M0) && ok;
  ok = AllocateFilled(p, p.FGW, store::kChannels, store::FGW0) && ok;
  ok = AllocateFilled(p, p.FGB, store::kChannels, store::FGB0) && ok;
  return ok;
}

void SizeMemory(Program& p) {
  if (p.DG.TotalSamples < 128) p.DG.TotalSamples = 128;
  if (p.DG.MaxLength > p.DG.TotalSamples || p.DG.MaxLength < 1) p.DG.MaxLength = p.DG.TotalSamples;
  p.PW = p.PM = p.DG.TotalSamples;
  p.PG.MemoryMode |= store::kPgMemoryWave | store::kPgMemoryMeas;
}

bool AllocateSampleArrays(Program& p) {
  size_t n = size_t(p.DG.TotalSamples);
  bool ok = p.Allocate(p.Buffer, n);
  ok = p.Allocate(p.SBuffer, n) && ok;
  ok = p.Allocate(p.Waveform, n) && ok;
  ok = p.Allocate(p.SWaveform, n) && ok;
  return ok;
}

bool AllocateBuffers(Program& p) {
  bool ok = true;
  if (p.AllocationLimit >= 0 &&
      p.TotalDataAlloc + state::GeneralTexts::kMaxChars + state::GeneralTexts::kMaxTexts * 4 >
          p.AllocationLimit) {
    p.NotEnoughMemory = 1;
    ok = false;
  } else {
    p.TotalDataAlloc += state::GeneralTexts::kMaxChars + state::GeneralTexts::kMaxTexts * 4;
  }
  const size_t kalib = size_t(state::kKalibRows) * state::kKalibCols;
  ok = p.Allocate(p.Kalib_In, kalib) && ok;
  ok = p.Allocate(p.Kalib_Out, kalib) && ok;
  ok = AllocateFilled(p, p.Prt, 1, store::Prt0) && ok;
  ok = p.Allocate(p.Col_, 1) && ok;
  ok = AllocateFilled(p, p.Fun, 5, store::Fun0) && ok;
  ok = AllocateFilled(p, p.Kal, 5, store::Kal0) && ok;
  ok = p.Allocate(p.Mat, 1) && ok;
  ok = p.Allocate(p.MatH, 1) && ok;
  ok = p.Allocate(p.Segment, store::kSegmentRecordSize) && ok;
  ok = p.Allocate(p.W_Nam_N, 32 * 12) && ok;
  return ok;
}

}  // namespace app
