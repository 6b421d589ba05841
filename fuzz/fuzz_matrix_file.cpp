// Matrix file reading of arbitrary bytes: counts against the size, values
// that are not numbers, and the header's view fields made usable.
#include <cstddef>
#include <cstdint>

#include "SettingsFuzzProgram.h"
#include "ops/MatrixOps.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::SettingsFuzzProgram& f = fuzzing::Instance();
  if (ops::OpenMatrix(f.prog, f.Put("\\DATA\\fuzz.MAT", data, size))) {
    // What was read must be fit for every operation on it.
    if (!ops::HasMatrix(f.prog)) __builtin_trap();
    (void)ops::TransposeMatrix(f.prog, 1);
    (void)ops::SmoothMatrix(f.prog);
    if (!ops::HasMatrix(f.prog)) __builtin_trap();
  }
  f.ui.ClearLog();
  return 0;
}
