// WAV import of arbitrary bytes: the chunk walk and every sample size.
#include <cstddef>
#include <cstdint>

#include "SettingsFuzzProgram.h"
#include "files/WavImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::SettingsFuzzProgram& f = fuzzing::Instance();
  (void)files::Read_WAV(f.prog, f.Put("\\DATA\\fuzz.wav", data, size));
  f.ui.ClearLog();
  return 0;
}
