#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "graph/FontSettings.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TestEnv;

TEST(FontSettings, RecordValuesFromAJobFileBecomeAUsableFont) {
  TestEnv env(1024, false);
  store::FontRecord_s& r = env.prog.DG.Font;
  r.Height = INT32_MIN;  // its magnitude does not fit an int32
  r.Width = -5;
  r.Weight = 5000;
  std::memset(r.FaceName, 'x', sizeof r.FaceName);  // no terminator
  platform::Font f = graph::ScaleFont(env.prog);
  EXPECT_EQ(f.height, graph::kScaleFontMaxHeight);
  EXPECT_EQ(f.width, 0);
  EXPECT_EQ(f.weight, 900);
  EXPECT_EQ(f.face, std::string(sizeof r.FaceName, 'x'));

  // A negative height is a character height; 0 and an empty face are defaults.
  r.Height = -12;
  r.Weight = 0;
  r.FaceName[0] = '\0';
  f = graph::ScaleFont(env.prog);
  EXPECT_EQ(f.height, 12);
  EXPECT_EQ(f.weight, 400);
  EXPECT_EQ(f.face, platform::Font().face);
  r.Height = 0;
  EXPECT_EQ(graph::ScaleFont(env.prog).height, platform::Font().height);
}

TEST(FontSettings, StoredFaceIsCutOnACharacterAndLeavesNoOldBytes) {
  TestEnv env(1024, false);
  store::FontRecord_s& r = env.prog.DG.Font;
  std::memset(r.FaceName, 'o', sizeof r.FaceName - 1);
  r.FaceName[sizeof r.FaceName - 1] = '\0';
  platform::Font f;
  // 30 ASCII bytes, then "č" (2 bytes) would take the terminator's place.
  f.face = std::string(30, 'a') + "\xC4\x8D" + "b";
  f.weight = 50;
  f.height = 500;
  graph::SetScaleFont(env.prog, f);
  EXPECT_EQ(std::string(r.FaceName), std::string(30, 'a'));
  for (size_t i = 30; i < sizeof r.FaceName; ++i) EXPECT_EQ(r.FaceName[i], '\0') << i;
  EXPECT_EQ(r.Weight, 100);
  EXPECT_EQ(r.Height, graph::kScaleFontMaxHeight);

  f.face = "Sans";
  f.height = -3;
  graph::SetScaleFont(env.prog, f);
  EXPECT_STREQ(r.FaceName, "Sans");
  EXPECT_EQ(r.FaceName[5], '\0');
  EXPECT_EQ(r.Height, graph::kScaleFontMinHeight);
}

}  // namespace
