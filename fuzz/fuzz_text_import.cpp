// Text-column import of arbitrary bytes into both stores (the measurement
// store also looks for the leading text column).
#include <cstddef>
#include <cstdint>

#include "SettingsFuzzProgram.h"
#include "files/TextImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::SettingsFuzzProgram& f = fuzzing::Instance();
  const std::string path = f.Put("\\DATA\\fuzz.txt", data, size);
  (void)files::ReadDataFileELKOSO(f.prog, store::Store::W, path);
  (void)files::ReadDataFileELKOSO(f.prog, store::Store::M, path);
  f.ui.ClearLog();
  return 0;
}
