#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "GraphTestSupport.h"
#include "graph/GraphWindowMenu.h"
#include "state/UserMessages.h"
#include "store/Defaults.h"

namespace {

TEST(GraphCalibration, OpenedFromMessageAndMenuKeepsRecordsOnlyWhenAccepted) {
  graph_test::GraphFixture f;
  f.Store(graph_test::Ramp(100));
  auto w = f.Open();
  w->UserMessage(state::kCalibrationDialog, 0);  // no dialog (headless): a notice
  EXPECT_EQ(testing_support::NotAvailableMessages(f.env.ui), 1);

  f.p.Kal[3].KalChannel = 900;  // from a file
  f.p.KalPage = 7;
  graph::CalibrationDialogRequest seen;
  bool accept = false;
  w->Dialogs.calibration = [&](state::Program&, graph::CalibrationDialogRequest& r) {
    seen = r;
    r.records[1].KalLevel1 = 2.5f;
    r.page = 40;
    return accept;
  };
  EXPECT_TRUE(w->MenuCommand(graph::kWindowMenuCalibration));
  EXPECT_EQ(std::tuple(seen.records[3].KalChannel, seen.page), std::tuple(0, 4));
  EXPECT_EQ(f.p.Kal[1].KalLevel1, store::Kal0.KalLevel1);  // cancelled
  accept = true;
  w->UserMessage(state::kCalibrationDialog, 0);
  EXPECT_EQ(std::tuple(f.p.Kal[1].KalLevel1, f.p.KalPage), std::tuple(2.5f, 4));
}

}  // namespace
