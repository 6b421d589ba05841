// Headless macros drive the real graph window model, as the desktop does.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/HeadlessRunner.h"
#include "files/DataFileReader.h"
#include "files/DataFileWriter.h"
#include "graph/GraphModel.h"
#include "ops/StatisticsReport.h"
#include "support/TestSupport.h"
#include "support/TextFile.h"

namespace {

using Samples = std::vector<float>;

// Waveform channel 1 holds `data`; a macro may read it as DATA/IN.W.
void Fill(testing_support::TestEnv& env, const Samples& data) {
  state::Program& p = env.prog;
  for (int16_t& on : p.HGW.ChannelOn) on = 0;
  p.HGW.ChannelOn[0] = p.HGW.ChannelCount = 1;
  p.HGW.Length = int32_t(data.size());
  std::copy(data.begin(), data.end(), p.Waveform.get());
  EXPECT_EQ(files::WriteDataFileUtil(p, "\\DATA\\IN.W", store::Store::W, 0), 1);
}

int RunMacro(testing_support::TestEnv& env, const std::string& macro, const std::string& body = "") {
  if (!body.empty()) testing_support::WriteText(env.dir / ("MACRO/" + macro + ".MAC"), body + "\n#\n");
  app::HeadlessOptions o;
  o.root = env.dir.path();
  o.resources = TARVELIN_SOURCE_DIR "/resources";
  o.macro = macro;
  o.echo = false;
  return app::RunHeadless(o);
}

// Channel 1 of the data file `name` as `env` reads it.
Samples Read(testing_support::TestEnv& env, const std::string& name) {
  EXPECT_EQ(files::ReadDataFileUtil(env.prog, name, store::Store::W, false, -1, 0, false), 1);
  return Samples(env.prog.Waveform.get(), env.prog.Waveform.get() + env.prog.HGW.Length);
}

// The report of the statistics functions, in the program's first-start language.
std::string Report(testing_support::TestEnv& env, int channel) {
  env.prog.Texts.Load(*env.paths.FindResource("trv_cz.txt"));
  ops::Panel panel;
  std::string report;
  EXPECT_EQ(ops::StatisticsPanel(env.prog, store::Store::W, channel, false, panel, report), 1);
  return report;
}

const std::string kOpen = "UNDM; UNDW; RW \\DATA\\IN.W; DWOFF 0; DWON 1; DW; ";

TEST(HeadlessGraph, WindowProcessingChangesTheDataAsTheModelDoes) {
  const Samples wave = {0, 3, 1, 7, 2, 9, 4, 4, 8, 1, 5, 6, 2};
  const struct {
    const char* statement;
    int code, argument;
    Samples data, expected;  // expected: checked besides the model's answer
  } cases[] = {{"CTRLM 5;", 2101, 5, wave, {}},
               {"KB;", 2032, 0, wave, {}},
               {"CTRLB;", 2037, 0, {1, 2, 3, 10}, {-3, -2, -1, 6}},
               {"SS;", 2037, 0, {1, 2, 3, 4, 15}, {-4, -3, -2, -1, 10}}};  // odd length
  for (const auto& c : cases) {
    SCOPED_TRACE(c.statement);
    testing_support::TestEnv run, model;
    Fill(run, c.data);
    ASSERT_EQ(RunMacro(run, "T", kOpen + c.statement + "WW \\DATA\\OUT.W;"), 0);
    const Samples out = Read(run, "\\DATA\\OUT.W");
    Fill(model, c.data);
    model.prog.MacGoing = 1;
    model.prog.Argument = c.argument;
    graph::MakeGraphWindowFactory(model.prog)({})->UserMessage(c.code, 0);
    EXPECT_EQ(out, Samples(model.prog.Waveform.get(), model.prog.Waveform.get() + c.data.size()));
    EXPECT_TRUE(c.expected.empty() || out == c.expected);
  }
}

TEST(HeadlessGraph, StatAndTheDemonstrationWriteTheReportOfTheStatisticsFunctions) {
  testing_support::TestEnv env;
  Fill(env, {1, 2, 3, 4, -6, 0.5f, 2});
  ASSERT_EQ(RunMacro(env, "T", kOpen + "STAT; STATENERGO;"), 0);
  EXPECT_EQ(testing_support::ReadText(env.dir / "TEXTSTAT.TXT"), Report(env, 0));

  // The demonstration's windows show the record it saved before STAT; the last one's report stays.
  std::filesystem::copy_file(TARVELIN_SOURCE_DIR "/resources/macros/DEMO.MAC", env.dir / "MACRO/DEMO.MAC");
  ASSERT_EQ(RunMacro(env, "DEMO"), 0);
  Read(env, "\\DATA\\demo_000.w");
  EXPECT_EQ(testing_support::ReadText(env.dir / "TEXTSTAT.TXT"), Report(env, 1));

  // A report that cannot be written fails the run.
  std::filesystem::remove(env.dir / "TEXTSTAT.TXT");
  std::filesystem::create_directory(env.dir / "TEXTSTAT.TXT");
  EXPECT_EQ(RunMacro(env, "T"), 1);
}

}  // namespace
