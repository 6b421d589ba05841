#include "files/PrintFile.h"

#include <cstring>
#include <vector>

#include "files/SettingsFileIO.h"
#include "state/Program.h"

namespace files {

int ReadPrtUtil(state::Program& p, const char* nameOrNull) {
  if (!p.Prt) return 0;
  std::vector<uint8_t> bytes;
  if (ReadVersionedFile(SettingsPath(p, nameOrNull, kPrintWorkName), kPrintVersion, sizeof(store::Prt_s),
                        bytes) != ReadResult::Ok)
    return 0;
  std::memcpy(p.Prt.get(), bytes.data(), sizeof(store::Prt_s));
  return 1;
}

int WritePrtUtil(state::Program& p, const char* nameOrNull) {
  if (!p.Prt) return 0;
  const int16_t version = kPrintVersion;
  return WriteFileParts(SettingsPath(p, nameOrNull, kPrintWorkName),
                        {{&version, sizeof version}, {p.Prt.get(), sizeof(store::Prt_s)}})
             ? 1
             : 0;
}

}  // namespace files
