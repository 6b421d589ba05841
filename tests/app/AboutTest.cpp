#include <gtest/gtest.h>

#include "app/About.h"
#include "app/MenuCommands.h"
#include "app/MenuIds.h"
#include "app/Startup.h"
#include "daq/CardState.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

TEST(About, HelpItemTellsTheVersionAndTheCardOrSimulationInUse) {
  const struct {
    int simulation, board;
    std::string line;
  } cases[] = {{1, 1, "Simulation: runs take no card (switched on in the settings)"},
               {0, 0, "No card found: runs take simulated data"},
               {0, 1, "Card: DUZIV 01 (AD16)"}};
  for (const auto& c : cases) {
    testing_support::TestEnv env;
    state::Program& p = env.prog;
    app::OwlMain(p, {});
    store::CopyText(daq::Card(p).CardName, "DUZIV 01");
    store::CopyText(daq::Card(p).DeviceType, "AD16");
    p.DG.Language = 0;
    p.DG.Simulation = c.simulation;
    p.BoardPresent = c.board;
    app::MenuCommand(p, app::kMenuAbout);
    EXPECT_EQ(testing_support::MessagesWithText(env.ui, p.Caption + "\n" + c.line), 1) << c.line;
    daq::ReleaseCard(p);
  }
}
