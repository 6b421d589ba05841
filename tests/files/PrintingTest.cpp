#include <gtest/gtest.h>

#include "files/Printing.h"
#include "platform/RecordingCanvas.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TestEnv;

TEST(Printing, PlotSizesOutOfRangeAreClampedAndNamed) {
  struct Case {
    int16_t w, h, wantW, wantH;
    int messages;
  };
  for (const Case& c : {Case{0, 30000, 50, 10000, 1}, Case{700, 500, 700, 500, 0}, Case{-5, 49, 50, 50, 1}}) {
    TestEnv env;
    store::Prt_s& prt = env.prog.Prt[0];
    prt.Width = c.w;
    prt.Height = c.h;
    ASSERT_TRUE(files::SanePrintSettings(env.prog));
    EXPECT_EQ(prt.Width, c.wantW);
    EXPECT_EQ(prt.Height, c.wantH);
    EXPECT_EQ(int(env.ui.Log().size()), c.messages) << c.w << " x " << c.h;
  }
}

TEST(Printing, TextBlockRefusesMissingAndBinaryFiles) {
  TestEnv env;
  testing_support::WriteText(env.dir / "MACRO/A.MAC", "DW\n\tPTW 1\n");
  testing_support::WriteBytes(env.dir / "MACRO/B.MAC", {'M', 'Z', 0, 0, 3, 0, 0xFF, 0xFF, 0, 0});
  platform::RecordingCanvas page(1240, 1754);
  EXPECT_TRUE(files::DrawTextBlock(env.prog, page, "\\MACRO\\A.MAC", 10, 20));
  EXPECT_EQ(page.Count("Text "), 2);
  for (const char* refused : {"\\MACRO\\B.MAC", "\\MACRO\\NONE.MAC"}) {
    env.ui.ClearLog();
    EXPECT_FALSE(files::DrawTextBlock(env.prog, page, refused, 10, 20));
    EXPECT_EQ(env.ui.Log().size(), 1u) << refused;
  }
  EXPECT_EQ(page.Count("Text "), 2);
  // Nothing to print on: no job, and it says so.
  env.ui.ClearLog();
  EXPECT_FALSE(files::PrintTextFile(env.prog, "\\MACRO\\A.MAC"));
  EXPECT_EQ(env.ui.Log().size(), 1u);
}

}  // namespace
