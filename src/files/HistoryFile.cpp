#include "files/HistoryFile.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "files/AtomicFile.h"
#include "files/SettingsFileIO.h"
#include "state/ExitRequest.h"
#include "state/Program.h"

namespace files {
namespace {

constexpr size_t kBlockBytes = sizeof(store::Block_s) * 6;
constexpr size_t kPointBytes = 8;

struct ParsedEntry {
  store::Store store;
  int channel;
  uint16_t size;
  long offset;  // of the data in the file
};

// Walks the whole layout without keeping data; false unless every count and
// entry fits and the file ends exactly after the last entry.
bool Parse(InputFile& f, long fileSize, std::vector<ParsedEntry>& entries, store::Block_s* wBlock,
           store::Block_s* mBlock) {
  if (fileSize < long(2 * kBlockBytes)) return false;
  if (!f.Read(wBlock, kBlockBytes) || !f.Read(mBlock, kBlockBytes)) return false;
  long pos = long(2 * kBlockBytes);
  for (int s : {1, 0}) {
    for (int ch = 0; ch < store::kChannels; ++ch) {
      uint16_t count = 0;
      if (pos + 2 > fileSize || !f.Read(&count, 2)) return false;
      pos += 2;
      if (count > state::kHistEntries) return false;
      for (int k = 0; k < count; ++k) {
        uint16_t size = 0;
        if (pos + 2 > fileSize || !f.Read(&size, 2)) return false;
        pos += 2;
        long bytes = long(size) * long(kPointBytes);
        if (bytes > fileSize - pos || !f.Skip(bytes)) return false;
        entries.push_back({store::StoreFromFlag(s), ch, size, pos});
        pos += bytes;
      }
    }
  }
  return pos == fileSize;
}

double HeldBytes(const state::Program& p) {
  double bytes = 0;
  for (int ch = 0; ch < store::kChannels; ++ch)
    for (int k = 0; k < state::kHistEntries; ++k)
      bytes += double(p.WHBuf[ch][k].size + p.MHBuf[ch][k].size) * kPointBytes;
  return bytes;
}

}  // namespace

void ReleaseHistory(state::Program& p) {
  for (int s : {1, 0}) {
    auto& buf = s ? p.WHBuf : p.MHBuf;
    uint16_t* numb = s ? p.WHNumb : p.MHNumb;
    for (int ch = 0; ch < store::kChannels; ++ch) {
      for (int k = 0; k < state::kHistEntries; ++k) {
        state::HistEntry& e = buf[ch][k];
        p.TotalDataAlloc -= double(e.size) * kPointBytes;
        e.data.reset();
        e.size = 0;
      }
      numb[ch] = 0;
    }
  }
}

int ReadHistFile(state::Program& p, const char* nameOrNull) {
  const std::string path = SettingsPath(p, nameOrNull, kHistoryWorkName);
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    ReleaseHistory(p);
    for (int b = 0; b < 6; ++b) {
      std::memset(p.WBlock[b].Bytes, 0, 8);
      std::memset(p.MBlock[b].Bytes, 0, 8);
    }
    return 0;
  }
  InputFile f(path);
  if (!f) return 0;
  std::vector<ParsedEntry> entries;
  store::Block_s wBlock[6], mBlock[6];
  if (!Parse(f, f.Size(), entries, wBlock, mBlock)) return 0;

  // Obtain and fill every new entry before the held ones go, so a failure
  // leaves the history as it was.
  double newBytes = 0;
  for (const ParsedEntry& e : entries) newBytes += double(e.size) * kPointBytes;
  const double after = p.TotalDataAlloc - HeldBytes(p) + newBytes;
  std::vector<std::unique_ptr<uint8_t[]>> data(entries.size());
  bool outOfMemory = p.AllocationLimit >= 0 && after > p.AllocationLimit;
  for (size_t i = 0; i < entries.size() && !outOfMemory; ++i) {
    if (entries[i].size == 0) continue;
    const size_t bytes = size_t(entries[i].size) * kPointBytes;
    data[i].reset(new (std::nothrow) uint8_t[bytes]);
    if (!data[i]) {
      outOfMemory = true;
      break;
    }
    if (std::fseek(f.file(), entries[i].offset, SEEK_SET) != 0 || !f.Read(data[i].get(), bytes)) return 0;
  }
  const bool closed = f.Close();
  if (outOfMemory) {
    state::ExitTRV(p);
    return 0;
  }
  if (!closed) return 0;

  ReleaseHistory(p);
  std::memcpy(p.WBlock, wBlock, sizeof wBlock);
  std::memcpy(p.MBlock, mBlock, sizeof mBlock);
  for (size_t i = 0; i < entries.size(); ++i) {
    const ParsedEntry& e = entries[i];
    auto& buf = store::IsW(e.store) ? p.WHBuf : p.MHBuf;
    uint16_t& numb = (store::IsW(e.store) ? p.WHNumb : p.MHNumb)[e.channel];
    state::HistEntry& slot = buf[e.channel][numb++];
    slot.data = std::move(data[i]);
    slot.size = e.size;
    p.TotalDataAlloc += double(e.size) * kPointBytes;
  }
  return 1;
}

int WriteHistFile(state::Program& p, const char* nameOrNull) {
  AtomicWriter w;
  if (!w.Open(SettingsPath(p, nameOrNull, kHistoryWorkName))) return 0;
  bool ok = w.Write(p.WBlock, kBlockBytes) && w.Write(p.MBlock, kBlockBytes);
  for (int s : {1, 0}) {
    auto& buf = s ? p.WHBuf : p.MHBuf;
    const uint16_t* numb = s ? p.WHNumb : p.MHNumb;
    for (int ch = 0; ch < store::kChannels && ok; ++ch) {
      const uint16_t count = numb[ch] > state::kHistEntries ? uint16_t(state::kHistEntries) : numb[ch];
      ok = w.Write(&count, 2);
      for (int k = 0; k < count && ok; ++k) {
        const state::HistEntry& e = buf[ch][k];
        // An entry without data is written empty rather than read from nowhere.
        const uint16_t size = e.data ? e.size : 0;
        ok = w.Write(&size, 2) && w.Write(e.data.get(), size_t(size) * kPointBytes);
      }
    }
  }
  return ok && w.Commit() ? 1 : 0;
}

}  // namespace files
