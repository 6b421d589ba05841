// The mathematics dialog on the offscreen platform: its fields set, draw
// pressed, the store and the output codes read back; and the channel
// dialog's way in.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <functional>
#include <utility>
#include <vector>

#include "QtTestSupport.h"
#include "daq/CardState.h"
#include "daq/Sampling.h"
#include "qt/AritDialog.h"
#include "qt/ChannelDialog.h"
#include "support/TestSupport.h"

namespace {

using qt_test::Child;
using qt_test::Click;

TEST(AritDialog, FieldsDrawATriangleIntoTheStoreAndItsCodes) {
  testing_support::TestEnv env{65536};
  state::Program& p = env.prog;
  p.DG.Simulation = 1;
  p.HGW.Length = 12;
  p.FGW[0].Step = 0.001f;
  qt::AritDialog d(p, nullptr);
  d.show();
  Child<QComboBox>(&d, "shape_1")->setCurrentIndex(1);
  for (auto [name, text] :
       {std::pair{"levelA_1", "4"}, {"levelB_1", "0"}, {"period_1", "8"}, {"phase_1", "0"}})
    Child<QLineEdit>(&d, name)->setText(QString::fromLatin1(text));
  Click(&d, "draw_1");
  const std::vector<float> want = {1, 2, 3, 4, 3, 2, 1, 0, 1, 2, 3, 4};
  EXPECT_EQ(std::vector<float>(p.Waveform.get(), p.Waveform.get() + 12), want);
  ASSERT_EQ(daq::Card(p).DA_BufferA.size(), 12u);
  EXPECT_EQ(daq::Card(p).DA_BufferA[3], daq::DacCode(4.0f));
  EXPECT_FALSE(Child<QLabel>(&d, "status")->text().isEmpty());
  EXPECT_EQ(p.M[0].GenShape, 1);  // taken over by the command
  daq::ReleaseCard(p);
}

TEST(AritDialog, ChannelDialogOpensItThroughTheHook) {
  testing_support::TestEnv env{65536};
  state::Program& p = env.prog;
  for (bool installed : {false, true}) {
    int opened = 0;
    p.AritDialog =
        installed ? std::function<int(state::Program&)>([&](state::Program&) { return ++opened; }) : nullptr;
    qt::ChannelDialog d(p, nullptr);
    Click(&d, "generator");  // disabled without the hook
    EXPECT_EQ(opened, installed ? 1 : 0);
  }
}

}  // namespace
