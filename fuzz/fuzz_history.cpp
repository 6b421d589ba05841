// The history file (.BLK): counts and entry sizes straight from the input.
#include <cstdint>

#include "SettingsFuzzProgram.h"
#include "files/HistoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::SettingsFuzzProgram& f = fuzzing::Instance();
  const std::string path = f.Put("\\JOB\\FUZZ.BLK", data, size);
  const double before = f.prog.TotalDataAlloc;  // nothing is held between inputs
  (void)files::ReadHistFile(f.prog, path.c_str());
  // The accounting must match exactly what is held, and no count may pass 10.
  double held = 0;
  for (int ch = 0; ch < store::kChannels; ++ch) {
    if (f.prog.WHNumb[ch] > state::kHistEntries || f.prog.MHNumb[ch] > state::kHistEntries) __builtin_trap();
    for (int k = 0; k < state::kHistEntries; ++k)
      held += 8.0 * (f.prog.WHBuf[ch][k].size + f.prog.MHBuf[ch][k].size);
  }
  if (f.prog.TotalDataAlloc != before + held) __builtin_trap();
  files::ReleaseHistory(f.prog);
  if (f.prog.TotalDataAlloc != before) __builtin_trap();
  return 0;
}
