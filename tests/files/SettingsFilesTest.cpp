#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "files/SettingsFiles.h"
#include "support/TestSupport.h"

namespace {

using testing_support::ReadBytes;
using testing_support::TestEnv;
using testing_support::WriteBytes;

void Scramble(void* data, size_t n, int seed) {
  auto* b = static_cast<uint8_t*>(data);
  for (size_t i = 0; i < n; ++i) b[i] = uint8_t(seed + 13 * i);
}

std::vector<uint8_t> Bytes(const void* data, size_t n) {
  const auto* b = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(b, b + n);
}

// One companion file: its writer, reader, working name, size, version word
// (-1: none) and the records in memory it moves.
struct FileKind {
  const char* label;
  int (*write)(state::Program&, const char*);
  int (*read)(state::Program&, const char*);
  const char* workName;
  size_t fileSize;
  int version;
  std::function<std::vector<std::pair<void*, size_t>>(state::Program&)> records;

  void Scramble(state::Program& p, int seed) const {
    for (auto [data, n] : records(p)) ::Scramble(data, n, seed++);
    if (version == 3) p.Mat[0].Mode = 0, p.MatH[0].Field2 = 0;  // fields the reader resets
  }
  std::vector<uint8_t> State(state::Program& p) const {
    std::vector<uint8_t> v;
    for (auto [data, n] : records(p)) {
      auto part = Bytes(data, n);
      v.insert(v.end(), part.begin(), part.end());
    }
    return v;
  }
};

template <typename T>
std::pair<void*, size_t> Rec(T& array) {
  return {array.get(), array.bytes()};
}

const FileKind kKinds[] = {
    {"FIX", files::WriteFixJobUtil, files::ReadFixJobUtil, files::kFixJobWorkName, 2408, 23,
     [](state::Program& p) {
       return std::vector<std::pair<void*, size_t>>{{&p.WG, sizeof p.WG}};
     }},
    {"CAL", files::WriteKalibrUtil, files::ReadKalibrUtil, files::kCalibrationWorkName, 26624, -1,
     [](state::Program& p) { return std::vector{Rec(p.A)}; }},
    {"FUN", files::WriteFunUtil, files::ReadFunUtil, files::kFunctionWorkName, 18224, 3,
     [](state::Program& p) {
       return std::vector{Rec(p.Fun),
                          Rec(p.Kal),
                          Rec(p.Mat),
                          Rec(p.MatH),
                          std::pair<void*, size_t>{&p.MGlobals, sizeof p.MGlobals},
                          Rec(p.M)};
     }},
    {"PRT", files::WritePrtUtil, files::ReadPrtUtil, files::kPrintWorkName, 72, 6,
     [](state::Program& p) { return std::vector{Rec(p.Prt)}; }},
    {"COL", files::WriteColUtil, files::ReadColUtil, files::kColourWorkName, 13058, 6,
     [](state::Program& p) { return std::vector{Rec(p.Col_)}; }},
};

TEST(SettingsFiles, WrongVersionOrSizeIsRefusedUnchanged) {
  for (const FileKind& k : kKinds) {
    SCOPED_TRACE(k.label);
    TestEnv e;
    k.Scramble(e.prog, 9);
    ASSERT_EQ(k.write(e.prog, nullptr), 1);
    const std::string path = e.paths.Resolve(k.workName);
    const std::vector<uint8_t> good = ReadBytes(path);
    std::vector<std::vector<uint8_t>> bad = {std::vector<uint8_t>(good.begin(), good.end() - 1), good};
    bad.back().push_back(0);
    if (k.version >= 0) {
      bad.push_back(good);
      bad.back()[0] = uint8_t(k.version - 1);
    }
    for (size_t i = 0; i < bad.size(); ++i) {
      k.Scramble(e.prog, 40);
      const std::vector<uint8_t> before = k.State(e.prog);
      WriteBytes(path, bad[i]);
      EXPECT_EQ(k.read(e.prog, nullptr), 0) << i;
      // The colour file falls back to its defaults instead.
      EXPECT_TRUE(std::string(k.label) == "COL" || k.State(e.prog) == before) << i;
    }
  }
}

TEST(WorkSettings, FallbacksOfTheFirstStart) {
  TestEnv e;
  // Missing files leave no value of a previous set behind.
  e.prog.A[9].MPeriod = 9.0f;
  e.prog.M[100].GenShape = 3;
  e.prog.FunPage = 4;
  e.prog.Prt[0].Width = 1;
  EXPECT_EQ(files::ReadWorkCalibration(e.prog), 0);
  EXPECT_EQ(files::ReadWorkFunctions(e.prog), 0);
  EXPECT_EQ(files::ReadWorkPrint(e.prog), 0);
  EXPECT_EQ(std::tuple(+e.prog.A[9].MPeriod, +e.prog.M[100].GenShape, +e.prog.FunPage, +e.prog.Prt[0].Width),
            std::tuple(+store::A0.MPeriod, +store::M0.GenShape, 0, +store::Prt0.Width));
  files::SetMissingJobDefaults(e.prog);
  EXPECT_EQ(e.prog.JobLeft, 1);
  EXPECT_NE(e.prog.A[0].BaseAddress, e.prog.A[1].BaseAddress);  // each card its own address
}

}  // namespace
