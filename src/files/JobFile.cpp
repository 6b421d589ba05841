#include "files/JobFile.h"

#include <cstring>
#include <vector>

#include "files/AtomicFile.h"
#include "files/FixJobFile.h"
#include "files/SettingsFileIO.h"
#include "state/GraphWindows.h"
#include "state/Program.h"

namespace files {
namespace {

constexpr size_t kImageBytes = sizeof(store::JG_s);
constexpr size_t kGraphBytes = size_t(store::kChannels) * 2 * sizeof(store::CG_s);
constexpr size_t kMarkersPerStore = size_t(store::kMarkersPerChannel);
constexpr size_t kMarkerBytes = size_t(store::kChannels) * 2 * kMarkersPerStore * sizeof(store::Marker_s);
static_assert(kImageBytes + kGraphBytes + kMarkerBytes == kJobFileSize);

// The program options a running macro keeps across a job read.
constexpr size_t kMacroKeptOffset = 28;
constexpr size_t kMacroKeptBytes = 268;
static_assert(kMacroKeptOffset + kMacroKeptBytes <= sizeof(store::PG_s));

bool Allocated(const state::Program& p) {
  const size_t markers = size_t(store::kChannels) * kMarkersPerStore;
  return p.CGW.size() >= size_t(store::kChannels) && p.CGB.size() >= size_t(store::kChannels) &&
         p.MarkerW.size() >= markers && p.MarkerB.size() >= markers;
}

void BoundMemoryBudget(store::DG_s& dg) {
  if (dg.TotalSamples < kMinTotalSamples) dg.TotalSamples = kMinTotalSamples;
  if (dg.TotalSamples > kMaxTotalSamples) dg.TotalSamples = kMaxTotalSamples;
  if (dg.MaxLength < 1 || dg.MaxLength > dg.TotalSamples) dg.MaxLength = dg.TotalSamples;
}

}  // namespace

int ReadJobFileUtil(state::Program& p, const char* nameOrNull) {
  if (!Allocated(p)) return 0;
  std::vector<uint8_t> bytes;
  if (ReadExactFile(SettingsPath(p, nameOrNull, kJobWorkName), kJobFileSize, bytes) != ReadResult::Ok)
    return 0;

  (void)ReadFixJobUtil(p);

  store::JG_s image;
  std::memcpy(&image, bytes.data(), kImageBytes);
  BoundMemoryBudget(image.DG);

  uint8_t kept[kMacroKeptBytes];
  const bool keepMacroOptions = p.MacGoing != 0;
  if (keepMacroOptions)
    std::memcpy(kept, reinterpret_cast<const uint8_t*>(&p.PG) + kMacroKeptOffset, sizeof kept);
  char queue[sizeof p.DG.NameQueue];
  std::memcpy(queue, p.DG.NameQueue, sizeof queue);

  p.JG = image;
  p.MG = image.MG;
  p.PG = image.PG;
  p.DG = image.DG;
  if (keepMacroOptions) std::memcpy(reinterpret_cast<uint8_t*>(&p.PG) + kMacroKeptOffset, kept, sizeof kept);
  // The command buffer holds the line being executed, not a setting: a saved
  // one must not replace the words still waiting in it.
  std::memcpy(p.DG.NameQueue, queue, sizeof queue);

  const uint8_t* at = bytes.data() + kImageBytes;
  for (int ch = 0; ch < store::kChannels; ++ch) {
    std::memcpy(&p.CGW[ch], at, sizeof(store::CG_s));
    at += sizeof(store::CG_s);
    std::memcpy(&p.CGB[ch], at, sizeof(store::CG_s));
    at += sizeof(store::CG_s);
  }
  const size_t channelMarkers = kMarkersPerStore * sizeof(store::Marker_s);
  for (int ch = 0; ch < store::kChannels; ++ch) {
    std::memcpy(&p.MarkerW[size_t(ch) * kMarkersPerStore], at, channelMarkers);
    at += channelMarkers;
    std::memcpy(&p.MarkerB[size_t(ch) * kMarkersPerStore], at, channelMarkers);
    at += channelMarkers;
  }

  return 1;
}

int WriteJobFileUtil(state::Program& p, const char* nameOrNull) {
  if (!Allocated(p)) return 0;
  const int fixOk = WriteFixJobUtil(p);

  // At exit the windows are already closed; the exit request remembered
  // which stores had them.
  const bool exiting = p.BudeKonecAleAzPoGrafech != 0;
  p.PG.WWindows = (exiting ? p.WWindowsOpen != 0 : state::AnyWindowOpen(p, store::Store::W)) ? 1 : 0;
  p.PG.MWindows = (exiting ? p.MWindowsOpen != 0 : state::AnyWindowOpen(p, store::Store::M)) ? 1 : 0;
  p.JG.MG = p.MG;
  p.JG.PG = p.PG;
  p.JG.DG = p.DG;

  AtomicWriter w;
  if (!w.Open(SettingsPath(p, nameOrNull, kJobWorkName))) return 0;
  bool ok = w.Write(&p.JG, kImageBytes);
  for (int ch = 0; ch < store::kChannels && ok; ++ch)
    ok = w.Write(&p.CGW[ch], sizeof(store::CG_s)) && w.Write(&p.CGB[ch], sizeof(store::CG_s));
  const size_t channelMarkers = kMarkersPerStore * sizeof(store::Marker_s);
  for (int ch = 0; ch < store::kChannels && ok; ++ch)
    ok = w.Write(&p.MarkerW[size_t(ch) * kMarkersPerStore], channelMarkers) &&
         w.Write(&p.MarkerB[size_t(ch) * kMarkersPerStore], channelMarkers);
  ok = ok && w.Commit();
  return ok && fixOk ? 1 : 0;
}

}  // namespace files
