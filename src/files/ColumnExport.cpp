#include "files/ColumnExport.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "files/TextNumbers.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"

namespace files {
namespace {

constexpr size_t kFlushBytes = 1 << 20;

}  // namespace

std::string ColumnFileName(const std::string& waveName) {
  std::string name = waveName.empty() ? std::string("\\DATA\\noname") : waveName;
  const size_t slash = name.find_last_of("\\/");
  const size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = name.rfind('.');
  // Only a dot of the file part, and not its first character (".profile").
  if (dot != std::string::npos && dot > fileStart) name.erase(dot);
  return name + "_c.TXT";
}

int WriteColumnsUtil(state::Program& p, const std::string& name, int decimals) {
  const int d = std::clamp(decimals, 1, 7);
  const int width = 7 + d;
  const store::Header_s& h = p.HGW;
  std::vector<int> active;
  for (int i = 0; i < store::kChannels; ++i)
    if (h.ChannelOn[i]) active.push_back(i);
  const long long length = std::max<int32_t>(h.Length, 0);
  const long long capacity = SampleCapacity(p, store::Store::W);
  // Never read past the array, whatever the header claims.
  const long long rows = active.empty() ? 0 : std::min(length, capacity / (long long)active.size());

  AtomicWriter out;
  if (!out.Open(ResolveDataName(p, name))) return 0;
  std::string t;
  t.reserve(kFlushBytes + 4096);
  t += "% interval [s] : ";
  AppendNumber(t, active.empty() ? 0.0 : double(p.FGW[size_t(active[0])].Step), std::chars_format::fixed, 6);
  t += "\n% ";
  for (int i : active) t += store::FieldText(p.FGW[size_t(i)].Name) + " \t";
  t += "\n% ";
  for (int i : active) t += store::FieldText(p.FGW[size_t(i)].Unit) + " \t";
  t += "\n";
  std::vector<const float*> columns;
  for (size_t k = 0; k < active.size(); ++k) columns.push_back(p.Waveform.get() + k * size_t(length));
  for (long long r = 0; r < rows; ++r) {
    for (const float* column : columns) {
      t += "   ";
      AppendNumber(t, column[r], std::chars_format::fixed, d, width);
    }
    t += '\n';
    if (t.size() >= kFlushBytes) {
      out.Write(t.data(), t.size());
      t.clear();
    }
  }
  out.Write(t.data(), t.size());
  return out.Commit() ? 1 : 0;
}

int Write_ASCII_Util_SIMPL(state::Program& p) {
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  const std::string name = ColumnFileName(store::FieldText(p.WG.LastWaveFile));
  if (p.ui().AskYesNo(state::TxtF(p, 1362, {name}), state::Txt(p, 15)) != platform::Answer::Yes) return 0;
  std::optional<int64_t> decimals = p.ui().PromptInt(state::Txt(p, 1372), 1, 7, 1);
  if (!decimals) return 0;
  if (!WriteColumnsUtil(p, name, int(std::clamp<int64_t>(*decimals, 1, 7)))) {
    state::MessT(p, 319, 13);
    return 0;
  }
  const std::string viewer = state::Txt(p, 5);
  if (p.plat.process && !viewer.empty()) p.plat.process->Start({viewer, ResolveDataName(p, name)});
  return 1;
}

}  // namespace files
