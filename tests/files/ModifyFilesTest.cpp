// Modification parameter files: the brace items, the global and channel
// items applied to the waveform store, and the refusals.
#include <gtest/gtest.h>

#include <string>

#include "DataFileTestSupport.h"
#include "files/ModifyFiles.h"
#include "platform/PosixProcess.h"

namespace {

using datafile_test::PatternValue;
using datafile_test::Snapshot;

class ModifyFilesTest : public ::testing::Test {
 protected:
  ModifyFilesTest() {
    p.plat.process = &process;
    datafile_test::FillStore(p, 1, {0, 1, 2}, 6);
  }
  // Items 0..9, then the given channel items from item 10 on.
  void Put(const std::string& name, const std::string& globals, const std::string& channels = "") {
    testing_support::WriteText(env.dir / ("MODIFY/" + name),
                               "CHA_TXT.TXT remark\n" + globals + "\n" + channels);
  }
  float W(int ch, int k) const { return p.Waveform[size_t(ch) * size_t(p.HGW.Length) + size_t(k)]; }
  int Messages(int text) const { return testing_support::MessagesWithText(env.ui, state::Txt(p, text)); }

  testing_support::TestEnv env;
  state::Program& p = env.prog;
  platform::RecordingProcess process;
};

TEST(ChannelTextTest, BraceItems) {
  files::ChannelText t;
  ASSERT_TRUE(files::ParseChannelText("CHA_TXT.TXT {2} x {a b}\n{}{left open", t));
  ASSERT_EQ(t.items.size(), 4u);
  EXPECT_EQ(std::tuple(t.Item(1), t.Item(3), t.Item(99), t.Channels()),
            std::tuple("a b", "left open", "", 2));
  EXPECT_FALSE(files::ParseChannelText("CHA_TXT.TX", t));
  EXPECT_FALSE(files::ParseChannelText("TRV_TXT.TXT {1}", t));
  EXPECT_FALSE(files::ParseChannelText("CHA_TXT.TXT {" + std::string(140001, 'x') + "}", t));
  for (auto [count, want] : {std::pair{"{999}", 128}, {"{-3}", 0}}) {
    ASSERT_TRUE(files::ParseChannelText(std::string("CHA_TXT.TXT ") + count, t));
    EXPECT_EQ(t.Channels(), want);
  }
}

TEST_F(ModifyFilesTest, GlobalItemsThenChannelItemsThenPadding) {
  // Channels 1 and 2 affected; channel 2 keeps its own name and adds 1.
  Put("m.txt", "{2}{Probe}{mV}{2}{4}{1,5}{N}{}{}{0.5}", "{N}{-}{-}{1}{1}{0}{}{}{}{}  {Y}{Own}{-}{10}{0}{1}");
  std::vector<int> log;
  p.QWWin[0] =
      std::make_unique<testing_support::MessageLogWindow>([&log](int code, int) { log.push_back(code); });
  ASSERT_EQ(files::WaveformModifyExecute(p, false, "m.txt"), 1);
  EXPECT_EQ(std::tuple(store::FieldText(p.FGW[0].Name), store::FieldText(p.FGW[1].Name),
                       store::FieldText(p.FGW[2].Name), p.FGW[0].Step),
            std::tuple("Probe", "Own", "Chan 2", 0.5f));  // channel 3 lies beyond n
  for (int k = 0; k < 6; ++k) {
    EXPECT_FLOAT_EQ(W(0, k), PatternValue(1, 0, k) * 2 / 4 + 1.5f);
    EXPECT_FLOAT_EQ(W(1, k), (PatternValue(1, 1, k) * 2 / 4 + 1.5f) * 10 + 1);  // divisor 0: none
    EXPECT_FLOAT_EQ(W(2, k), PatternValue(1, 2, k));
  }
  EXPECT_EQ(log, (std::vector<int>{2040, 2004, 2127}));
  p.QWWin[0].reset();

  Put("pad.txt", "{3}{-}{-}{1}{1}{0}{y}{}{}{0}");
  ASSERT_EQ(files::WaveformModifyExecute(p, false, "pad.txt"), 1);
  EXPECT_EQ(p.HGW.Length, 8);
  EXPECT_EQ(std::tuple(W(2, 5), W(2, 6)), std::tuple(PatternValue(1, 2, 5), 0.0f));
}

TEST_F(ModifyFilesTest, RefusalsChangeNothing) {
  Snapshot before(p);
  Put("zero.txt", "{0}{Name}{-}{5}{1}{0}{N}{}{}{0}");
  EXPECT_EQ(files::WaveformModifyExecute(p, false, "zero.txt"), 0);
  EXPECT_EQ(Messages(1222), 1);
  EXPECT_EQ(files::WaveformModifyExecute(p, false, "missing.txt"), 0);
  testing_support::WriteText(env.dir / "MODIFY/bad.txt", "not a parameter file {1}{X}");
  EXPECT_EQ(files::WaveformModifyExecute(p, false, "bad.txt"), 0);
  EXPECT_EQ(Messages(1221), 2);
  // Items without numbers change no value: an empty multiplier is not 0.
  Put("empty.txt", "{1}{-}{-}{}{x}{ }{N}{}{}{}");
  EXPECT_EQ(files::WaveformModifyExecute(p, false, "empty.txt"), 1);
  EXPECT_TRUE(Snapshot(p) == before);
}

TEST_F(ModifyFilesTest, EditingWritesATemplateAndStartsTheEditor) {
  const std::string chosen = env.dir / "MODIFY/new 'one' $x.txt";
  env.ui.Push(std::optional<std::string>(chosen));
  ASSERT_EQ(files::CMWaveformModifyText(p), 1);
  EXPECT_EQ(process.Started(), (std::vector<std::vector<std::string>>{{state::Txt(p, 5), chosen}}));
  files::ChannelText t;
  ASSERT_TRUE(files::ReadChannelText(chosen, t));
  EXPECT_EQ(t.Channels(), 1);
  // The template changes nothing as it stands.
  Snapshot before(p);
  EXPECT_EQ(files::WaveformModifyExecute(p, false, chosen), 1);
  EXPECT_TRUE(Snapshot(p) == before);
}

}  // namespace
