#include "files/CalibrationFile.h"

#include <cstring>
#include <vector>

#include "files/SettingsFileIO.h"
#include "state/Program.h"

namespace files {
namespace {

constexpr size_t kBytes = sizeof(store::A_s) * store::kChannels;

}  // namespace

int ReadKalibrUtil(state::Program& p, const char* nameOrNull) {
  if (p.A.size() < size_t(store::kChannels)) return 0;
  std::vector<uint8_t> bytes;
  if (ReadExactFile(SettingsPath(p, nameOrNull, kCalibrationWorkName), kBytes, bytes) != ReadResult::Ok)
    return 0;
  std::memcpy(p.A.get(), bytes.data(), kBytes);
  return 1;
}

int WriteKalibrUtil(state::Program& p, const char* nameOrNull) {
  if (p.A.size() < size_t(store::kChannels)) return 0;
  return WriteFileParts(SettingsPath(p, nameOrNull, kCalibrationWorkName), {{p.A.get(), kBytes}}) ? 1 : 0;
}

}  // namespace files
