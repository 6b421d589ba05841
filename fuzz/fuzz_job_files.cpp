// The job file and its fixed-size companions. The first input byte picks the
// file (low bits) and whether the rest is cut or padded to that file's exact
// size (high bit), so the record contents get exercised and not only the
// size check.
#include <cstdint>
#include <vector>

#include "SettingsFuzzProgram.h"
#include "files/JobFile.h"
#include "files/SettingsFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  fuzzing::SettingsFuzzProgram& f = fuzzing::Instance();
  state::Program& p = f.prog;
  struct Kind {
    const char* name;
    size_t exactSize;
    int (*read)(state::Program&, const char*);
  };
  static const Kind kinds[] = {
      {"\\JOB\\FUZZ.JOB", files::kJobFileSize, files::ReadJobFileUtil},
      {"\\JOB\\FUZZ_FIX.JOB", 2408, files::ReadFixJobUtil},
      {"\\JOB\\FUZZ.CAL", 26624, files::ReadKalibrUtil},
      {"\\JOB\\FUZZ.FUN", 18224, files::ReadFunUtil},
      {"\\JOB\\FUZZ.PRT", 72, files::ReadPrtUtil},
      {"\\JOB\\FUZZ.COL", 13058, files::ReadColUtil},
  };
  const Kind& k = kinds[data[0] % 6];
  std::vector<uint8_t> bytes(data + 1, data + size);
  if (data[0] & 0x80) {
    bytes.resize(k.exactSize, 0);
    // Keep the version word right now and then so the payload is reached.
    if ((data[0] & 0x40) && bytes.size() >= 2 && k.exactSize != files::kJobFileSize && k.exactSize != 26624) {
      const int16_t version = k.exactSize == 2408 ? 23 : k.exactSize == 18224 ? 3 : 6;
      bytes[0] = uint8_t(version);
      bytes[1] = 0;
    }
  }
  p.MacGoing = data[0] & 0x20;
  const std::string path = f.Put(k.name, bytes.data(), bytes.size());
  k.read(p, path.c_str());
  return 0;
}
