// Modification parameter files of arbitrary bytes, parsed and applied to a
// small waveform store that is set up again for every input.
#include <cstddef>
#include <cstdint>

#include "SettingsFuzzProgram.h"
#include "files/ModifyFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::SettingsFuzzProgram& f = fuzzing::Instance();
  state::Program& p = f.prog;
  store::Header_s& h = p.HGW;
  for (int i = 0; i < store::kChannels; ++i) h.ChannelOn[i] = i < 3 ? 1 : 0;
  h.ChannelCount = 3;
  h.Length = 100;
  for (int i = 0; i < 300; ++i) p.Waveform[size_t(i)] = float(i);
  (void)files::WaveformModifyExecute(p, false, f.Put("\\MODIFY\\fuzz.txt", data, size));
  f.ui.ClearLog();
  return 0;
}
