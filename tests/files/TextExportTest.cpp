// The text exports (full, column, simple) with their exact layouts, the
// round trip through the text import, and the external programs started
// with an argv that no shell ever sees.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <string>

#include "DataFileTestSupport.h"
#include "files/ColumnExport.h"
#include "files/Converter.h"
#include "files/TextExport.h"
#include "files/TextImport.h"
#include "platform/PosixProcess.h"

namespace {

using platform::Answer;
using testing_support::FileExists;
using testing_support::WriteText;

std::string ReadText(const std::string& path) {
  std::vector<uint8_t> b = testing_support::ReadBytes(path);
  return std::string(b.begin(), b.end());
}

class TextExportTest : public ::testing::Test {
 protected:
  TextExportTest() {
    p.plat.process = &process;
    datafile_test::FillStore(p, 1, {0, 2}, 3);
    store::CopyText(p.HGW.Date, "01.02.2024 ");
    store::CopyText(p.HGW.Comment, "bench run");
    for (int ch : {0, 2}) {
      store::Channel_s& c = p.FGW[size_t(ch)];
      store::CopyText(c.Name, ch ? "Current" : "Voltage");
      store::CopyText(c.Unit, ch ? "A" : "V");
      store::CopyText(c.XUnit, "s");
      c.Step = 0.001f;
    }
    p.FGW[2].IsSpectrum = 1;
    p.FGW[2].PrefixCode = 103;  // decibel, third prefix entry
    std::copy(std::begin(kValues), std::end(kValues), p.Waveform.get());
  }
  int Messages(int text) const { return testing_support::MessagesWithText(env.ui, state::Txt(p, text)); }
  std::string MakeDir(const std::string& name) {
    const std::string dir = env.dir / name;
    EXPECT_EQ(::mkdir(dir.c_str(), 0777), 0);
    return dir;
  }

  static constexpr float kValues[6] = {1.5f, -0.25f, 1234567.0f, 0.0f, 2.0f, -3.0f};
  testing_support::TestEnv env;
  state::Program& p = env.prog;
  platform::RecordingProcess process;
};

TEST_F(TextExportTest, FullExportBreaksLinesAndCountsHundreds) {
  p.HGW.Length = 105;
  for (int i = 0; i < 210; ++i) p.Waveform[size_t(i)] = float(i % 105);
  ASSERT_EQ(files::WriteASCIIDataFileUtil(p, "\\DATA\\out.wtx", store::Store::W), 1);
  std::string text = ReadText(env.dir / "DATA/out.wtx");
  EXPECT_NE(text.find("8  9  \n10  11  "), std::string::npos);
  EXPECT_NE(text.find("98  99  \n\n100\n\n100  101  102  103  104  "), std::string::npos);
}

TEST_F(TextExportTest, SimpleNumbersIgnoreTheLocale) {
  // A decimal-comma locale, when the system has one, must not change the files.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8");
  ASSERT_EQ(files::WriteSimpleASCIIDataFileUtil(p, "\\DATA\\simple.txt"), 1);
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(ReadText(env.dir / "DATA/simple.txt"), "1.50000000e+00\r\n-2.50000000e-01\r\n1.23456700e+06\r\n");
}

TEST_F(TextExportTest, ColumnExportOpensTheViewerWithTheNameIntact) {
  const std::string dir = MakeDir("odd 'dir' \"q\" $(true);&|");
  store::CopyText(p.WG.LastWaveFile, dir + "/my wave.W");
  env.ui.Push(Answer::Yes);
  env.ui.Push(int64_t(3));
  ASSERT_EQ(files::Write_ASCII_Util_SIMPL(p), 1);
  const std::string written = dir + "/my wave_c.TXT";
  EXPECT_TRUE(FileExists(written));
  EXPECT_EQ(process.Started(), (std::vector<std::vector<std::string>>{{state::Txt(p, 5), written}}));
  env.ui.Push(Answer::No);
  EXPECT_EQ(files::Write_ASCII_Util_SIMPL(p), 0);
  EXPECT_EQ(process.Started().size(), 1u);
}

TEST_F(TextExportTest, ConverterGetsItsPathAsTheWholeArgv) {
  const std::string dir = MakeDir("prog dir 'x' \"y\" `z` $HOME;rm -rf");
  p.Path = dir;
  store::CopyText(p.DG.NameQueue, "CONV something");
  EXPECT_EQ(files::Conversion(p), 0);  // no converter installed
  EXPECT_TRUE(process.Started().empty());
  EXPECT_EQ(env.ui.Count(dir + "/konverze"), 1);
  WriteText(dir + "/konverze", "#!/bin/sh\n");
  ASSERT_EQ(::chmod((dir + "/konverze").c_str(), 0755), 0);
  EXPECT_EQ(files::Conversion(p), 1);
  EXPECT_EQ(process.Started(), (std::vector<std::vector<std::string>>{{dir + "/konverze"}}));
  EXPECT_EQ(p.DG.NameQueue[0], '\0');
}

TEST_F(TextExportTest, WriteAsciiDataFileAsksBeforeOverwriting) {
  const std::string path = env.dir / "DATA/old.MTX";
  WriteText(path, "keep me");
  datafile_test::FillStore(p, 0, {0}, 4);
  env.ui.Push(Answer::Yes);  // the comment window
  env.ui.Push(Answer::No);
  EXPECT_EQ(files::WriteASCIIDataFile(p, path, store::Store::M), 0);
  EXPECT_EQ(ReadText(path), "keep me");
  EXPECT_EQ(files::WriteASCIIDataFile(p, path, store::Store::M), 1);  // default answer Yes
  EXPECT_NE(ReadText(path).find(state::Txt(p, 403)), std::string::npos);
  EXPECT_EQ(store::FieldText(p.DG.MeasTextMask), "*.MTX");
  EXPECT_EQ(files::WriteASCIIDataFile(p, env.dir / "no/such/dir/x.wtx", store::Store::W), 0);
  EXPECT_EQ(std::tuple(Messages(398), Messages(319)), std::tuple(1, 1));
  p.MacGoing = 1;  // no comment window, no question
  env.ui.Push(std::optional<std::string>());
  EXPECT_EQ(files::WriteASCIIDataFile(p, "", store::Store::W), 0);
}

TEST_F(TextExportTest, SelectionExportGoesToTheFirstWindow) {
  EXPECT_EQ(files::Write_ASCII_Util(p), 0);
  EXPECT_EQ(Messages(1315), 1);
  std::vector<int> log;
  p.QWWin[0] =
      std::make_unique<testing_support::MessageLogWindow>([&log](int code, int) { log.push_back(code); });
  env.ui.Push(Answer::No);
  EXPECT_EQ(files::Write_ASCII_Util(p), 0);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(files::Write_ASCII_Util(p), 1);
  EXPECT_EQ(log, std::vector<int>{2133});
  p.QWWin[0].reset();
}

}  // namespace
