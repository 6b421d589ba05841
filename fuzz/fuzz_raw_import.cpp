// Raw 16-bit import: the first byte chooses the channel count (the prompt
// clamps it), the rest is the file.
#include <cstddef>
#include <cstdint>

#include "SettingsFuzzProgram.h"
#include "files/RawImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  fuzzing::SettingsFuzzProgram& f = fuzzing::Instance();
  f.ui.Push(int64_t(data[0]) - 2);
  f.ui.Push(double(data[0]) * 50.0);
  (void)files::Read_BIN_INTEGER(f.prog, f.Put("\\DATA\\fuzz.bin", data + 1, size - 1));
  f.ui.ClearLog();
  return 0;
}
