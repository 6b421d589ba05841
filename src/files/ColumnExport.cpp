#include "files/ColumnExport.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "files/TextNumbers.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"

namespace files {
namespace {

constexpr size_t kFlushBytes = 1 << 20;

}  // namespace

std::string ColumnFileName(const std::string& waveName, const char* suffix) {
  std::string name = waveName.empty() ? std::string("\\DATA\\noname") : waveName;
  const size_t slash = name.find_last_of("\\/");
  const size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = name.rfind('.');
  // Only a dot of the file part, and not its first character (".profile").
  if (dot != std::string::npos && dot > fileStart) name.erase(dot);
  return name + suffix;
}

namespace {

struct Columns {
  std::vector<int> channels;  // in column order
  std::vector<const float*> data;
  long long from = 0, rows = 0;
  bool firstSampleLine = false;
};

int WriteColumns(state::Program& p, const std::string& name, store::Store store, const Columns& c,
                 int decimals, bool* stopped) {
  const int d = std::clamp(decimals, 1, 7);
  const int width = 7 + d;
  const store::Channel_s* records = p.Channels(store);
  AtomicWriter out;
  if (!out.Open(ResolveDataName(p, name))) return 0;
  std::string t;
  t.reserve(kFlushBytes + 4096);
  t += "% interval [s] : ";
  AppendNumber(t, c.channels.empty() ? 0.0 : double(records[size_t(c.channels[0])].Step),
               std::chars_format::fixed, 6);
  if (c.firstSampleLine) {
    t += "\n% first sample : ";
    AppendInt(t, c.from);
  }
  t += "\n% ";
  for (int i : c.channels) t += store::FieldText(records[size_t(i)].Name) + " \t";
  t += "\n% ";
  for (int i : c.channels) t += store::FieldText(records[size_t(i)].Unit) + " \t";
  t += "\n";
  // A stop drops the temporary file: an existing file stays as it was.
  state::Progress progress(p, name);
  for (long long r = c.from; r < c.from + c.rows; ++r) {
    for (const float* column : c.data) {
      t += "   ";
      AppendNumber(t, column[r], std::chars_format::fixed, d, width);
    }
    t += '\n';
    if (t.size() >= kFlushBytes) {
      out.Write(t.data(), t.size());
      t.clear();
      if (!progress.Step(r - c.from, c.rows)) {
        state::ReportStopped(p, name);
        if (stopped) *stopped = true;
        return 0;
      }
    }
  }
  out.Write(t.data(), t.size());
  return out.Commit() ? 1 : 0;
}

}  // namespace

int WriteColumnsUtil(state::Program& p, const std::string& name, int decimals, bool* stopped) {
  const store::Header_s& h = p.HGW;
  Columns c;
  for (int i = 0; i < store::kChannels; ++i)
    if (h.ChannelOn[i]) c.channels.push_back(i);
  const long long length = std::max<int32_t>(h.Length, 0);
  const long long capacity = SampleCapacity(p, store::Store::W);
  // Never read past the array, whatever the header claims.
  c.rows = c.channels.empty() ? 0 : std::min(length, capacity / (long long)c.channels.size());
  for (size_t k = 0; k < c.channels.size(); ++k) c.data.push_back(p.Waveform.get() + k * size_t(length));
  return WriteColumns(p, name, store::Store::W, c, decimals, stopped);
}

int WriteColumnsRange(state::Program& p, const std::string& name, store::Store store,
                      const std::vector<int>& channels, long long from, long long to, int decimals,
                      bool* stopped) {
  const long long length = std::max<int32_t>(p.Header(store).Length, 0);
  const long long capacity = SampleCapacity(p, store);
  const float* samples = p.Samples(store);
  Columns c;
  c.firstSampleLine = true;
  c.from = std::clamp<long long>(std::min(from, to), 0, std::max(length - 1, 0LL));
  const long long last = std::clamp<long long>(std::max(from, to), 0, length - 1);
  c.rows = length > 0 ? last - c.from + 1 : 0;
  for (int i : channels) {
    if (i < 0 || i >= store::kChannels || !p.Header(store).ChannelOn[i]) continue;
    const long long start = state::Pocatek(p, store, i);
    if (!samples || start < 0 || start + length > capacity) continue;  // a block the array does not hold
    c.channels.push_back(i);
    c.data.push_back(samples + start);
  }
  if (c.channels.empty()) return 0;
  return WriteColumns(p, name, store, c, decimals, stopped);
}

int Write_ASCII_Util_SIMPL(state::Program& p) {
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  const std::string name = ColumnFileName(store::FieldText(p.WG.LastWaveFile));
  if (p.ui().AskYesNo(state::TxtF(p, 1362, {name}), state::Txt(p, 15)) != platform::Answer::Yes) return 0;
  std::optional<int64_t> decimals = p.ui().PromptInt(state::Txt(p, 1372), 1, 7, 1);
  if (!decimals) return 0;
  bool stopped = false;
  if (!WriteColumnsUtil(p, name, int(std::clamp<int64_t>(*decimals, 1, 7)), &stopped)) {
    if (!stopped) state::MessT(p, 319, 13);
    return 0;
  }
  const std::string viewer = state::Txt(p, 5);
  if (p.plat.process && !viewer.empty()) p.plat.process->Start({viewer, ResolveDataName(p, name)});
  return 1;
}

}  // namespace files
