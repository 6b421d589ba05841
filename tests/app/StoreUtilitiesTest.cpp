#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "state/StoreUtilities.h"
#include "store/Utilities.h"
#include "support/TestSupport.h"

namespace app {
namespace {

TEST(CursorToTimeTest, TimeFromThePreTriggerOrFrequencyOfASpectrum) {
  testing_support::TestEnv env(4096, false);
  env.prog.HGW.PreTrigger = 11;  // sample 10 is time zero
  EXPECT_DOUBLE_EQ(CursorToTime(env.prog, store::Store::W, 10, 0, 0.5, 0), 0.0);
  EXPECT_DOUBLE_EQ(CursorToTime(env.prog, store::Store::W, 0, 0, 0.5, 0), -5.0);
  EXPECT_DOUBLE_EQ(CursorToTime(env.prog, store::Store::W, 12.5, 0, 0.5, 0), 1.25);
  EXPECT_DOUBLE_EQ(CursorToTime(env.prog, store::Store::W, int64_t(5000000010), 0, 1e-3, 0), 5000000.0);
  // Each store uses its own header.
  env.prog.HGB.PreTrigger = 0;
  EXPECT_DOUBLE_EQ(CursorToTime(env.prog, store::Store::M, 10, 0, 2.0, 0), 22.0);

  // A spectrum channel gives a frequency; its pre-trigger is ignored.
  env.prog.HGW.PreTrigger = 11;
  env.prog.WFreq[3] = 1;
  EXPECT_DOUBLE_EQ(CursorToTime(env.prog, store::Store::W, 8, 1024, 0.001, 3), 8 / 1.024);
  EXPECT_DOUBLE_EQ(CursorToTime(env.prog, store::Store::W, 8, 0, 0.001, 3), 0.0);  // N * step = 0
  EXPECT_DOUBLE_EQ(CursorToTime(env.prog, store::Store::W, 8, 1024, 0.0, 3), 0.0);
  // The flag of the other store and of other channels does not count.
  EXPECT_DOUBLE_EQ(CursorToTime(env.prog, store::Store::M, 8, 1024, 0.001, 3),
                   (8 - (env.prog.HGB.PreTrigger - 1)) * 0.001);
  EXPECT_DOUBLE_EQ(CursorToTime(env.prog, store::Store::W, 8, 1024, 1.0, 2), -2.0);
  EXPECT_DOUBLE_EQ(CursorToTime(env.prog, store::Store::W, 8, 1024, 1.0, 128),
                   -2.0);  // out of range: a time channel
}

TEST(TimeToComTest, StampGoesInFrontOfTheCommentWhichIsCutAt299) {
  testing_support::TestEnv env(4096, false);
  env.clock.SetNow({2024, 2, 9, 7, 5, 3, 9});
  std::strcpy(env.prog.HGB.Comment, "run 1");
  TimeToCom(env.prog, store::Store::M);
  EXPECT_STREQ(env.prog.HGB.Comment, "09.02.2024 ,    7:05:03.09\r\nrun 1");
  EXPECT_STREQ(env.prog.HGW.Comment, "Waveform");  // the other store is untouched

  // A full comment is cut at 299 and stays terminated.
  std::string full(299, 'c');
  std::memcpy(env.prog.HGW.Comment, full.c_str(), 300);
  std::string stamp = store::PisDatum(env.clock.Now()) + "\r\n";
  TimeToCom(env.prog, store::Store::W);
  std::string now = env.prog.HGW.Comment;
  EXPECT_EQ(std::tuple(now.size(), now), std::tuple(299u, stamp + full.substr(0, 299 - stamp.size())));

  // A comment read without its terminator is not read past its field.
  std::memset(env.prog.HGW.Comment, 'x', sizeof env.prog.HGW.Comment);
  TimeToCom(env.prog, store::Store::W);
  EXPECT_EQ(env.prog.HGW.Comment[299], '\0');
  EXPECT_EQ(std::string(env.prog.HGW.Comment).substr(0, stamp.size()), stamp);
}

}  // namespace
}  // namespace app
