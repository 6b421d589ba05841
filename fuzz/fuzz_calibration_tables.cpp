// The text calibration tables: the input is one channel's table file.
#include <cstdint>
#include <string_view>

#include "SettingsFuzzProgram.h"
#include "files/CalibrationTables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::SettingsFuzzProgram& f = fuzzing::Instance();
  // The parser on its own, with a tight limit …
  float in[8], out[8];
  int n =
      files::ParseCalibrationText(std::string_view(reinterpret_cast<const char*>(data), size), in, out, 8);
  if (n < 0 || n > 8) __builtin_trap();
  // … and through the channel files of the program folder.
  f.Put("\\TXTKALIB\\chan_007.txt", data, size);
  (void)files::ReadKalibText(f.prog);
  const float count = f.prog.KalibIn(0, 6);
  if (!(count >= 0 && count <= state::kMaxKalibPoints)) __builtin_trap();
  return 0;
}
