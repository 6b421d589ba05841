#include "files/FunctionFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "files/SettingsFileIO.h"
#include "state/Program.h"

namespace files {
namespace {

constexpr size_t kFunBytes = sizeof(store::Fun_s) * kFunctionPages;
constexpr size_t kKalBytes = sizeof(store::Kal_s) * kFunctionPages;
constexpr size_t kMBytes = sizeof(store::M_s) * store::kChannels;
constexpr size_t kPayload = kFunBytes + kKalBytes + sizeof(store::Mat_s) + sizeof(store::MatH_s) +
                            sizeof(store::MGlobals_s) + kMBytes;
static_assert(kPayload + 2 == 18224);

bool Allocated(const state::Program& p) {
  return p.Fun.size() >= size_t(kFunctionPages) && p.Kal.size() >= size_t(kFunctionPages) && p.Mat &&
         p.MatH && p.M.size() >= size_t(store::kChannels);
}

bool CountsValues(const store::Mat_s& m, size_t values) {
  return m.Rows >= 0 && m.Columns >= 0 && size_t(m.Rows) * size_t(m.Columns) == values;
}

void NoMatrix(store::Mat_s& m) {
  m.Rows = m.Columns = 0;
  m.FirstColumn = m.LastColumn = m.FirstRow = m.LastRow = 0;
}

}  // namespace

int ReadFunUtil(state::Program& p, const char* nameOrNull) {
  if (!Allocated(p)) return 0;
  std::vector<uint8_t> bytes;
  if (ReadVersionedFile(SettingsPath(p, nameOrNull, kFunctionWorkName), kFunctionVersion, kPayload, bytes) !=
      ReadResult::Ok)
    return 0;
  const store::Mat_s held = p.Mat[0];
  const uint8_t* at = bytes.data();
  auto take = [&at](void* dst, size_t n) {
    std::memcpy(dst, at, n);
    at += n;
  };
  take(p.Fun.get(), kFunBytes);
  take(p.Kal.get(), kKalBytes);
  take(p.Mat.get(), sizeof(store::Mat_s));
  take(p.MatH.get(), sizeof(store::MatH_s));
  take(&p.MGlobals, sizeof p.MGlobals);
  take(p.M.get(), kMBytes);
  // The file keeps the matrix header without its values: a header whose
  // counts are not those of the values held would send the display reading
  // past them, so the held matrix keeps its own, and without one none is counted.
  if (!CountsValues(p.Mat[0], p.Matrix.size())) {
    if (CountsValues(held, p.Matrix.size()))
      p.Mat[0] = held;
    else
      NoMatrix(p.Mat[0]);
  }
  p.FunPage = 0;
  p.KalPage = 0;
  p.Mat[0].Mode = 0;
  p.MatH[0].Field2 = 0;
  return 1;
}

int WriteFunUtil(state::Program& p, const char* nameOrNull) {
  if (!Allocated(p)) return 0;
  const int16_t version = kFunctionVersion;
  return WriteFileParts(SettingsPath(p, nameOrNull, kFunctionWorkName),
                        {{&version, sizeof version},
                         {p.Fun.get(), kFunBytes},
                         {p.Kal.get(), kKalBytes},
                         {p.Mat.get(), sizeof(store::Mat_s)},
                         {p.MatH.get(), sizeof(store::MatH_s)},
                         {&p.MGlobals, sizeof p.MGlobals},
                         {p.M.get(), kMBytes}})
             ? 1
             : 0;
}

void SetFunctionDefaults(state::Program& p) {
  if (!Allocated(p)) return;
  std::fill(p.Fun.get(), p.Fun.get() + kFunctionPages, store::Fun0);
  std::fill(p.Kal.get(), p.Kal.get() + kFunctionPages, store::Kal0);
  p.Mat[0] = store::Mat_s{};
  p.MatH[0] = store::MatH_s{};
  p.MGlobals = store::MGlobals0;
  std::fill(p.M.get(), p.M.get() + store::kChannels, store::M0);
  p.FunPage = 0;
  p.KalPage = 0;
}

}  // namespace files
