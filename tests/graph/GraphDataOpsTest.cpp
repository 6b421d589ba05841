#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "GraphTestSupport.h"
#include "files/ColumnExport.h"
#include "files/DataFileFormat.h"
#include "state/Messages.h"
#include "store/FixedText.h"
#include "support/TextFile.h"

namespace {

using Values = std::vector<float>;
using Reply = platform::ScriptedUi::Reply;
using platform::Answer;

struct OpsFixture : graph_test::GraphFixture {
  OpsFixture() : GraphFixture(65536, true) {}
  std::unique_ptr<graph::TDispl10> Window(const Values& data, int chan = 0) {
    Store(data, chan);
    return Open(chan);
  }
  Values Data(int chan = 0) {
    const float* x = p.Waveform.get() + state::Pocatek(p, store::Store::W, chan);
    return Values(x, x + p.HGW.Length);
  }
  void Replies(const std::vector<Reply>& replies) {
    for (const Reply& r : replies) env.ui.Push(r);
  }
};

void ExpectValues(const Values& got, const Values& want, const std::string& what) {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (size_t k = 0; k < want.size(); ++k) EXPECT_NEAR(got[k], want[k], 1e-4) << what << " [" << k << "]";
}

TEST(GraphDataOps, ModificationsChangeTheChannelOrNothingWhenRefused) {
  const Values x = {0, -1, 2, 3, 4, 5, 6, 7};
  struct Case {
    int mode;
    std::vector<Reply> replies;
    Values want;
  } cases[] = {
      {0, {}, {0, 1, -2, -3, -4, -5, -6, -7}},
      {1, {}, {0, 1, 2, 3, 4, 5, 6, 7}},
      {4, {2.0}, {0, -2, 4, 6, 8, 10, 12, 14}},
      {5, {1.5}, {1.5, 0.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5}},
      {6, {0.0}, x},             // a divisor of 0 is refused
      {6, {Answer::Cancel}, x},  // a cancelled prompt changes nothing
      {7, {int64_t(2)}, {0.5, -0.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5}},
      {8, {int64_t(2)}, {0, 0, 0, -1, 2, 3, 4, 5}},
      {2, {Answer::Yes}, {0, -1, 2, 2, 2, 2, 3, 4}},  // cursors 2 … 5, the tail follows
      {3, {Answer::Yes}, {0, -2, 0, 0, 0, 0, 0, 0}},
      {3, {Answer::No}, x},
      {9, {Answer::Yes}, {4, 1, 2, 1, 0, -1, -2, -3}},  // line (2, 2) … (5, 8)
  };
  for (const Case& c : cases) {
    OpsFixture f;
    auto w = f.Window(x);
    f.G().Cur1 = 2, f.G().Cur2 = 5;
    f.G().HCur1 = 2, f.G().HCur2 = 8;
    f.Replies(c.replies);
    w->DataModif(c.mode);
    ExpectValues(f.Data(), c.want, "mode " + std::to_string(c.mode));
  }
}

TEST(GraphDataOps, BandFilterAndMultiChannelModification) {
  OpsFixture f;
  Values x(64);
  for (size_t j = 0; j < 64; ++j)
    x[j] = float(std::cos(2 * M_PI * 3 * j / 64) + 2 * std::cos(2 * M_PI * 20 * j / 64));
  auto w = f.Window(x);
  f.Replies({int64_t(10), int64_t(30)});  // bins 11 … 29 pass
  w->DataModif(10);
  Values want(64);
  for (size_t j = 0; j < 64; ++j) want[j] = float(2 * std::cos(2 * M_PI * 20 * j / 64));
  ExpectValues(f.Data(), want, "band pass");
  EXPECT_EQ(f.p.WFreq[0], 0);

  // A multi display negates the channels it shows, and only those.
  OpsFixture m;
  for (int c = 0; c < 3; ++c) m.Store({1, 2}, c);
  auto mw = m.Open();
  m.G().Multi = 1;
  m.G().MultiMask[0] = 0b011;
  mw->DataModifMultiChan(0);
  ExpectValues(m.Data(0), {-1, -2}, "shown");
  ExpectValues(m.Data(1), {-1, -2}, "shown");
  ExpectValues(m.Data(2), {1, 2}, "not shown");
}

TEST(GraphDataOps, MagnitudesDecibelsAndNormalisation) {
  OpsFixture f;
  auto w = f.Window({3, 0.6f, 1, 8, 4, 0.8f, 0, 6});
  w->ToMag(1, 1);  // a time channel has no decibels
  EXPECT_EQ(f.env.ui.Count(state::Txt(f.p, 776)), 1);
  f.Replies({Answer::Yes});
  w->ToMag(1, 0);  // its magnitudes are its absolute values
  ExpectValues(f.Data(), {3, 0.6f, 1, 8, 4, 0.8f, 0, 6}, "time");

  f.p.WFreq[0] = 1;
  f.Replies({Answer::No});
  w->ToMag(1, 1);
  ExpectValues(f.Data(), {3, 0.6f, 1, 8, 4, 0.8f, 0, 6}, "declined");
  f.Replies({Answer::Yes});
  w->ToMag(1, 1);
  ExpectValues(f.Data(), {20 * std::log10(5.0f), 0, 0, 20, 0, 0, 0, 0}, "dB");
  EXPECT_EQ(f.G().DisplType, graph::kFirstHalf);
  // Values in decibels are not converted a second time.
  f.Replies({Answer::Yes});
  w->ToMag(1, 1);
  EXPECT_NEAR(f.Data()[3], 20, 1e-4);

  OpsFixture n;
  auto nw = n.Window({1, -4, 2, 0});
  n.Replies({Answer::Yes});
  nw->Normalizace(1);
  ExpectValues(n.Data(), {0.25f, -1, 0.5f, 0}, "normalised");
  n.Store({0, 3, -5, 1});
  nw->UserMessage(2040, 0);
  nw->Normalizace(0);  // the view only
  EXPECT_EQ(std::tuple(n.G().VMax, n.G().VMin), std::tuple(5, -5));
  n.Store({0, 0, 0, 0});
  n.Replies({Answer::Yes});
  nw->Normalizace(1);  // nothing to divide by
  ExpectValues(n.Data(), {0, 0, 0, 0}, "zeros");
}

TEST(GraphDataOps, StepsSpikesJoinAndSelectionText) {
  OpsFixture f;
  auto w = f.Window({0, 0, 5, 5, 5, 5});
  f.Replies({Answer::Cancel});
  w->RemoveStepsSpikes(0);
  ExpectValues(f.Data(), {0, 0, 5, 5, 5, 5}, "cancelled");
  f.Replies({1.0});
  w->RemoveStepsSpikes(0);
  ExpectValues(f.Data(), {0, 0, 0, 0, 0, 0}, "step");

  // The join runs in the main window, which reopens this one.
  std::vector<int> posted;
  f.env.windows.SetMainHandler([&](int code, int) { posted.push_back(code); });
  w->CatData();
  f.env.windows.DeliverPending();
  EXPECT_EQ(posted, std::vector<int>{2141});

  OpsFixture t;
  auto tw = t.Window(graph_test::Ramp(10));
  t.G().Cur1 = 4, t.G().Cur2 = 2;
  t.Replies({Answer::Yes, int64_t(2)});  // between the cursors, two decimals
  tw->UserMessage(2133, 0);
  const std::string name = files::ColumnFileName(store::FieldText(t.p.WG.LastWaveFile), "_v.TXT");
  const std::string text = testing_support::ReadText(files::ResolveDataName(t.p, name));
  EXPECT_NE(text.find("% first sample : 2\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n        2.00\n        3.00\n        4.00\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("5.00"), std::string::npos) << text;
}

TEST(GraphDataOps, HarmonicsPanelAndExtremesList) {
  OpsFixture f;
  const int n = 2000;  // 0.4 s at 5 kHz
  Values u(n), i(n);
  for (int k = 0; k < n; ++k) {
    const double t = k * 0.0002;
    u[size_t(k)] = float(10 * std::sin(2 * M_PI * 50 * t) + std::sin(2 * M_PI * 150 * t));
    i[size_t(k)] = 2 * u[size_t(k)] + 3;
  }
  f.Store(u, 0);
  f.Store(i, 1);
  f.p.FGW[0].Step = f.p.FGW[1].Step = 0.0002f;
  auto w = f.Open();
  auto& canvas = graph_test::Rec(*w);
  auto texts = [&] {
    int count = 0;
    bool correlated = false;
    for (const std::string& op : canvas.Ops()) {
      if (op.rfind("Text ", 0) != 0) continue;
      ++count;
      correlated = correlated || op.find("\"   1.0000\"") != std::string::npos;
    }
    return std::pair{count, correlated};
  };
  canvas.Clear();
  w->ShowHarmonics(canvas);
  // The title, then label and value of 14 harmonics, distortion, median, correlation.
  EXPECT_EQ(texts(), std::pair(1 + 2 * 17, true));
  f.p.WFreq[0] = 1;  // a spectrum has neither harmonics nor distortion
  canvas.Clear();
  w->ShowHarmonics(canvas);
  EXPECT_EQ(texts().first, 1 + 2 * 2);

  f.p.WFreq[0] = 0;
  f.View(0, n - 1);
  f.G().Cur1 = 0, f.G().Cur2 = 450;  // maxima at 25, 125, … 425
  w->ShowStatMaxMin();
  const std::string list = testing_support::ReadText(f.env.dir / "MAX.TXT");
  EXPECT_NE(list.find("005   000000425"), std::string::npos) << list;
  EXPECT_EQ(list.find("006   "), std::string::npos) << list;
}

}  // namespace
