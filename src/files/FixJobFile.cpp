#include "files/FixJobFile.h"

#include <cstring>
#include <vector>

#include "files/SettingsFileIO.h"
#include "state/Program.h"

namespace files {

int ReadFixJobUtil(state::Program& p, const char* nameOrNull) {
  std::vector<uint8_t> bytes;
  ReadResult r = ReadVersionedFile(SettingsPath(p, nameOrNull, kFixJobWorkName), kFixJobVersion,
                                   sizeof(store::WG_s), bytes);
  if (r == ReadResult::Missing) p.WG = store::WG0;
  if (r != ReadResult::Ok) return 0;
  std::memcpy(&p.WG, bytes.data(), sizeof p.WG);
  return 1;
}

int WriteFixJobUtil(state::Program& p, const char* nameOrNull) {
  const int16_t version = kFixJobVersion;
  return WriteFileParts(SettingsPath(p, nameOrNull, kFixJobWorkName),
                        {{&version, sizeof version}, {&p.WG, sizeof p.WG}})
             ? 1
             : 0;
}

}  // namespace files
