#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <tuple>

#include "graph/FontSettings.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TestEnv;

TEST(FontSettings, RecordValuesBecomeAUsableFontAndAFontIsStoredSafely) {
  TestEnv env(1024, false);
  store::FontRecord_s& r = env.prog.DG.Font;
  r.Height = INT32_MIN;  // its magnitude does not fit an int32
  r.Width = -5;
  r.Weight = 5000;
  std::memset(r.FaceName, 'x', sizeof r.FaceName);  // no terminator
  platform::Font f = graph::ScaleFont(env.prog);
  EXPECT_EQ(std::tuple(f.height, f.width, f.weight), std::tuple(graph::kScaleFontMaxHeight, 0, 900));
  EXPECT_EQ(f.face, std::string(sizeof r.FaceName, 'x'));

  // A negative height is a character height; 0 and an empty face are defaults.
  r.Height = -12;
  r.Weight = 0;
  r.FaceName[0] = '\0';
  f = graph::ScaleFont(env.prog);
  EXPECT_EQ(std::tuple(f.height, f.weight, f.face), std::tuple(12, 400, platform::Font().face));
  r.Height = 0;
  EXPECT_EQ(graph::ScaleFont(env.prog).height, platform::Font().height);

  // A stored face is cut on a character and leaves no old bytes.
  std::memset(r.FaceName, 'o', sizeof r.FaceName - 1);
  r.FaceName[sizeof r.FaceName - 1] = '\0';
  f = platform::Font();
  // 30 ASCII bytes, then "č" (2 bytes) would take the terminator's place.
  f.face = std::string(30, 'a') + "\xC4\x8D" + "b";
  f.weight = 50;
  f.height = 500;
  graph::SetScaleFont(env.prog, f);
  EXPECT_EQ(std::string(r.FaceName), std::string(30, 'a'));
  for (size_t i = 30; i < sizeof r.FaceName; ++i) EXPECT_EQ(r.FaceName[i], '\0') << i;
  EXPECT_EQ(std::tuple(r.Weight, r.Height), std::tuple(100, graph::kScaleFontMaxHeight));

  f.face = "Sans";
  f.height = -3;
  graph::SetScaleFont(env.prog, f);
  EXPECT_STREQ(r.FaceName, "Sans");
  EXPECT_EQ(r.FaceName[5], '\0');
  EXPECT_EQ(r.Height, graph::kScaleFontMinHeight);
}

}  // namespace
