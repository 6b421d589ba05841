// Arbitrary command lines through the interpreter, as a macro would hand
// them over (so no value prompt opens; questions take the scripted default
// and file dialogs are cancelled). Nothing may crash, hang or overrun the
// command text buffer.
#include <cstdint>
#include <cstring>
#include <string>

#include "SettingsFuzzProgram.h"
#include "macro/CommandBuffer.h"
#include "macro/Interpreter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 60) return 0;
  std::string line(reinterpret_cast<const char*>(data), size);
  // File commands write where a line's path points: keep them inside the
  // harness's own program folder.
  if (line.find('/') != std::string::npos || line.find('\\') != std::string::npos ||
      line.find("..") != std::string::npos)
    return 0;
  fuzzing::SettingsFuzzProgram& f = fuzzing::Instance();
  state::Program& p = f.prog;
  p.MacGoing = 1;
  p.MacStop = 0;
  // The whole 60-byte field, possibly without a terminator, as a job file
  // may leave it.
  std::memset(p.DG.NameQueue, 0, sizeof p.DG.NameQueue);
  std::memcpy(p.DG.NameQueue, line.data(), line.size());
  int status = 0;
  macro::ComInterpret(p, false, &status);
  // The buffer is left terminated, whatever the command read.
  if (strnlen(p.DG.NameQueue, sizeof p.DG.NameQueue) >= sizeof p.DG.NameQueue) __builtin_trap();
  f.ui.ClearLog();
  return 0;
}
