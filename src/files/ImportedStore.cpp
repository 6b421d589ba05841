#include "files/ImportedStore.h"

#include "files/DataFileFormat.h"
#include "files/DataFileNames.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace files {

std::optional<std::string> ChooseFile(state::Program& p, int title, int filter, const std::string& folder,
                                      const std::string& mask, bool save) {
  platform::FileDialogRequest request;
  request.title = state::Txt(p, title);
  request.filter = state::Txt(p, filter);
  request.folder = ResolveDataName(p, folder);
  request.mask = mask;
  request.save = save;
  std::optional<std::string> chosen = p.ui().ChooseFile(request);
  if (chosen && chosen->empty()) return std::nullopt;
  return chosen;
}

char* TextMask(state::Program& p, store::Store store) {
  return store::IsW(store) ? p.DG.WaveTextMask : p.DG.MeasTextMask;
}

int64_t ImportCapacity(const state::Program& p, store::Store store) { return SampleCapacity(p, store); }

void CommitImport(state::Program& p, store::Store store, int channels, int32_t rows, float step,
                  std::string_view channelName, bool fromScratch) {
  state::UnDisplayWave(p, store, -1);
  store::Header_s& h = p.Header(store);
  h.ChannelCount = int16_t(channels);
  for (int i = 0; i < store::kChannels; ++i) h.ChannelOn[i] = i < channels ? 1 : 0;
  h.Length = rows;
  h.PreTrigger = 0;
  h.IsWaveform = int16_t(store);
  h.Comment[0] = '\0';
  platform::LocalTime now = p.plat.clock ? p.plat.clock->Now() : platform::LocalTime{};
  store::GetDatum(now, h.Date, sizeof h.Date);

  store::Channel_s* records = p.Channels(store);
  int32_t* freq = p.Freq(store);
  for (int i = 0; i < store::kChannels; ++i) {
    records[i] = store::IsW(store) ? store::FGW0 : store::FGB0;
    freq[i] = 0;
    if (i >= channels) continue;
    records[i].Step = step;
    if (!channelName.empty()) store::CopyText(records[i].Name, channelName);
  }
  if (fromScratch) CommitScratch(p, store, size_t(channels) * size_t(rows));
  ResetDisplayTypes(p);
  state::DataChanged(p, store);
}

void RememberImport(state::Program& p, store::Store store, const std::string& name) {
  store::Extension(name, TextMask(p, store), 6);
  NewName(p, name, store);
}

}  // namespace files
