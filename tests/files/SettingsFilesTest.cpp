#include <gtest/gtest.h>

#include <cstring>
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

// One companion file: its writer, reader, working name, size and the bytes
// in memory it moves (with the fields the reader resets masked out).
struct FileKind {
  const char* label;
  int (*write)(state::Program&, const char*);
  int (*read)(state::Program&, const char*);
  const char* workName;
  size_t fileSize;
  int version;  // -1: no version word
  std::function<void(state::Program&, int)> scramble;
  std::function<std::vector<uint8_t>(const state::Program&)> state;
};

std::vector<FileKind> Kinds() {
  return {
      {"FIX", files::WriteFixJobUtil, files::ReadFixJobUtil, files::kFixJobWorkName, 2408, 23,
       [](state::Program& p, int s) { Scramble(&p.WG, sizeof p.WG, s); },
       [](const state::Program& p) { return Bytes(&p.WG, sizeof p.WG); }},
      {"CAL", files::WriteKalibrUtil, files::ReadKalibrUtil, files::kCalibrationWorkName, 26624, -1,
       [](state::Program& p, int s) { Scramble(p.A.get(), p.A.bytes(), s); },
       [](const state::Program& p) { return Bytes(p.A.get(), p.A.bytes()); }},
      {"FUN", files::WriteFunUtil, files::ReadFunUtil, files::kFunctionWorkName, 18224, 3,
       [](state::Program& p, int s) {
         Scramble(p.Fun.get(), p.Fun.bytes(), s);
         Scramble(p.Kal.get(), p.Kal.bytes(), s + 1);
         Scramble(p.Mat.get(), p.Mat.bytes(), s + 2);
         Scramble(p.MatH.get(), p.MatH.bytes(), s + 3);
         Scramble(&p.MGlobals, sizeof p.MGlobals, s + 4);
         Scramble(p.M.get(), p.M.bytes(), s + 5);
         // Fields the reader resets hold what it would set them to.
         p.Mat[0].Mode = 0;
         p.MatH[0].Field2 = 0;
       },
       [](const state::Program& p) {
         std::vector<uint8_t> v = Bytes(p.Fun.get(), p.Fun.bytes());
         for (auto part : {Bytes(p.Kal.get(), p.Kal.bytes()), Bytes(p.Mat.get(), p.Mat.bytes()),
                           Bytes(p.MatH.get(), p.MatH.bytes()), Bytes(&p.MGlobals, sizeof p.MGlobals),
                           Bytes(p.M.get(), p.M.bytes())})
           v.insert(v.end(), part.begin(), part.end());
         return v;
       }},
      {"PRT", files::WritePrtUtil, files::ReadPrtUtil, files::kPrintWorkName, 72, 6,
       [](state::Program& p, int s) { Scramble(p.Prt.get(), p.Prt.bytes(), s); },
       [](const state::Program& p) { return Bytes(p.Prt.get(), p.Prt.bytes()); }},
      {"COL", files::WriteColUtil, files::ReadColUtil, files::kColourWorkName, 13058, 6,
       [](state::Program& p, int s) { Scramble(p.Col_.get(), p.Col_.bytes(), s); },
       [](const state::Program& p) { return Bytes(p.Col_.get(), p.Col_.bytes()); }},
  };
}

TEST(SettingsFiles, RoundTripsByteForByte) {
  for (const FileKind& k : Kinds()) {
    TestEnv a;
    k.scramble(a.prog, 3);
    ASSERT_EQ(k.write(a.prog, nullptr), 1) << k.label;
    const std::string path = a.paths.Resolve(k.workName);
    std::vector<uint8_t> first = ReadBytes(path);
    EXPECT_EQ(first.size(), k.fileSize) << k.label;

    TestEnv b;
    const std::string copy = b.paths.Resolve(k.workName);
    WriteBytes(copy, first);
    ASSERT_EQ(k.read(b.prog, nullptr), 1) << k.label;
    EXPECT_EQ(k.state(b.prog), k.state(a.prog)) << k.label;
    ASSERT_EQ(k.write(b.prog, nullptr), 1) << k.label;
    EXPECT_EQ(ReadBytes(copy), first) << k.label;
  }
}

TEST(SettingsFiles, WrongVersionOrSizeIsRefusedUnchanged) {
  for (const FileKind& k : Kinds()) {
    TestEnv e;
    k.scramble(e.prog, 9);
    ASSERT_EQ(k.write(e.prog, nullptr), 1) << k.label;
    const std::string path = e.paths.Resolve(k.workName);
    const std::vector<uint8_t> good = ReadBytes(path);

    std::vector<std::vector<uint8_t>> bad;
    bad.push_back(std::vector<uint8_t>(good.begin(), good.end() - 1));
    bad.push_back(good);
    bad.back().push_back(0);
    if (k.version >= 0) {
      bad.push_back(good);
      bad.back()[0] = uint8_t(k.version - 1);
    }
    for (size_t i = 0; i < bad.size(); ++i) {
      k.scramble(e.prog, 40);
      const std::vector<uint8_t> before = k.state(e.prog);
      WriteBytes(path, bad[i]);
      EXPECT_EQ(k.read(e.prog, nullptr), 0) << k.label << " case " << i;
      // The colour file falls back to its defaults instead.
      if (std::string(k.label) != "COL") {
        EXPECT_EQ(k.state(e.prog), before) << k.label << " case " << i;
      }
    }
  }
}

TEST(SettingsFiles, ColourDefaultsForOldOrMissingFile) {
  TestEnv e;
  Scramble(e.prog.Col_.get(), e.prog.Col_.bytes(), 5);
  EXPECT_EQ(files::ReadColUtil(e.prog), 0);  // missing
  // The colours repeat every twelve traces.
  EXPECT_EQ(+e.prog.Col_[0].TraceColor[12], +e.prog.Col_[0].TraceColor[0]);
  EXPECT_EQ(+e.prog.Col_[0].ViewIR[127][9], +15);

  // A version-5 file with other colours is ignored.
  e.prog.Col_[0].TraceColor[12] = 0x111111;
  ASSERT_EQ(files::WriteColUtil(e.prog), 1);
  const std::string path = e.paths.Resolve(files::kColourWorkName);
  std::vector<uint8_t> f = ReadBytes(path);
  f[0] = 5;
  WriteBytes(path, f);
  EXPECT_EQ(files::ReadColUtil(e.prog), 0);
  EXPECT_EQ(+e.prog.Col_[0].TraceColor[12], +e.prog.Col_[0].TraceColor[0]);
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
  EXPECT_EQ(+e.prog.A[9].MPeriod, +store::A0.MPeriod);
  EXPECT_EQ(+e.prog.M[100].GenShape, +store::M0.GenShape);
  EXPECT_EQ(+e.prog.FunPage, +0);
  EXPECT_EQ(+e.prog.Prt[0].Width, +store::Prt0.Width);

  files::SetMissingJobDefaults(e.prog);
  EXPECT_EQ(e.prog.JobLeft, 1);
  EXPECT_NE(e.prog.A[0].BaseAddress, e.prog.A[1].BaseAddress);  // each card its own address
}

}  // namespace
