#include "files/ColourFile.h"

#include <cstring>
#include <vector>

#include "files/SettingsFileIO.h"
#include "state/Program.h"

namespace files {
namespace {

constexpr uint32_t kTraceColours[12] = {0x00FF00, 0xFF0000, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF,
                                        0x007F00, 0x7F0000, 0x00007F, 0x7F7F00, 0x007F7F, 0x7F007F};

}  // namespace

void Init_Color(state::Program& p) {
  if (!p.Col_) return;
  store::Col_s& c = p.Col_[0];
  for (int ch = 0; ch < store::kChannels; ++ch) {
    c.TraceColor[ch] = kTraceColours[ch % 12];
    c.TimeStep[ch] = -1.0f;
    c.ValueStep[ch] = -1.0f;
    c.Background[ch] = 0xC0C0C0;
    c.ViewCount[ch] = 0;
    c.ViewPos[ch] = -1;
    for (int k = 0; k < store::kViewHistory; ++k) {
      c.ViewIL[ch][k] = 0;
      c.ViewIR[ch][k] = 15;
    }
    c.StripWeight[ch] = 1;
  }
}

int ReadColUtil(state::Program& p, const char* nameOrNull) {
  if (!p.Col_) return 0;
  std::vector<uint8_t> bytes;
  if (ReadVersionedFile(SettingsPath(p, nameOrNull, kColourWorkName), kColourVersion, sizeof(store::Col_s),
                        bytes) != ReadResult::Ok) {
    Init_Color(p);
    return 0;
  }
  std::memcpy(p.Col_.get(), bytes.data(), sizeof(store::Col_s));
  return 1;
}

int WriteColUtil(state::Program& p, const char* nameOrNull) {
  if (!p.Col_) return 0;
  const int16_t version = kColourVersion;
  return WriteFileParts(SettingsPath(p, nameOrNull, kColourWorkName),
                        {{&version, sizeof version}, {p.Col_.get(), sizeof(store::Col_s)}})
             ? 1
             : 0;
}

}  // namespace files
