#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>

#include "FakeDriver.h"
#include "RealCard.h"
#include "daq/Driver.h"
#include "daq/Sampling.h"
#include "state/Messages.h"

namespace {

using fake::S;

int Messages(const platform::ScriptedUi& ui) {
  int n = 0;
  for (const auto& m : ui.Log()) n += m.kind == "message";
  return n;
}

TEST(DriverLoading, MissingLibraryTriesEveryPlaceInOrderAndSimulates) {
  fake::Env f;
  S().openFails = true;
  ::setenv("TARVELIN_DRIVER", "/opt/vendor/libduziv_daq01.so", 1);
  EXPECT_EQ(daq::InitDriver(f.p()), 0);
  ::unsetenv("TARVELIN_DRIVER");
  ASSERT_EQ(S().opened.size(), 3u);
  EXPECT_EQ(S().opened[0], f.env.paths.Root() + "/libduziv_daq01.so");
  EXPECT_EQ(S().opened[1], "/opt/vendor/libduziv_daq01.so");
  EXPECT_EQ(S().opened[2], "libduziv_daq01.so");
  EXPECT_EQ(f.p().BoardPresent, 0);
  EXPECT_EQ(f.env.ui.Count("Chyba"), 1);
  EXPECT_NE(daq::DriverReport(f.p()).find("/opt/vendor/libduziv_daq01.so"), std::string::npos);
  EXPECT_TRUE(daq::Simulating(f.p()));
  // A second attempt tries again (the library may have been installed since).
  EXPECT_EQ(daq::BOARD_Init(f.p()), 0);
  EXPECT_EQ(S().opened.size(), 5u);  // no TARVELIN_DRIVER this time
}

TEST(DriverLoading, NoLoaderAtAllCountsAsMissingLibrary) {
  fake::Env f;
  f.p().plat.library = nullptr;
  EXPECT_EQ(daq::make_library(f.p()), 1);
  EXPECT_EQ(daq::BOARD_Init(f.p()), 0);
  EXPECT_EQ(f.p().BoardPresent, 0);
}

TEST(DriverLoading, MissingCalledNameRefusesTheLibraryMissingUnusedNameDoesNot) {
  {
    fake::Env f;
    S().missing = {"Td_Set_AO"};
    EXPECT_EQ(daq::make_library(f.p()), 1);
    EXPECT_EQ(f.card().Load, daq::LoadState::NameMissing);
    EXPECT_EQ(f.card().FLoad, 0);
    EXPECT_EQ(f.card().fn.Td_Init_Driver, nullptr);  // nothing half-resolved is kept
    EXPECT_NE(daq::DriverReport(f.p()).find("Td_Set_AO"), std::string::npos);
    EXPECT_EQ(daq::InitDriver(f.p()), 0);
  }
  {
    fake::Env f;
    S().missing = {"Td_Wait_For_IRQ"};
    EXPECT_EQ(daq::make_library(f.p()), 0);
    EXPECT_EQ(f.card().FLoad, 999);
    EXPECT_NE(daq::DriverReport(f.p()).find("Td_Wait_For_IRQ"), std::string::npos);
    EXPECT_EQ(daq::InitDriver(f.p()), 1);
    EXPECT_EQ(daq::release_library(f.p()), 0);
    EXPECT_EQ(daq::release_library(f.p()), 1);
  }
}

TEST(DriverInit, ApplicationNamesInOrderAndOnlyTheThirdAccepted) {
  fake::Env f;
  S().acceptOnly = "Tarvelin";
  EXPECT_EQ(daq::InitDriver(f.p()), 1);
  EXPECT_EQ(S().initNames, (std::vector<std::string>{"TARVELIN", "tarvelin", "Tarvelin"}));
  EXPECT_EQ(f.card().Driver_Inicializovan, 1);
  EXPECT_EQ(f.p().BoardPresent, 1);
  EXPECT_EQ(Messages(f.env.ui), 0);
  // Already open: no further Td_Init_Driver.
  EXPECT_EQ(daq::InitDriver(f.p()), 1);
  EXPECT_EQ(S().initNames.size(), 3u);
}

TEST(DriverInit, AllNamesRefusedWarnsOnlyWhileFewCalls) {
  fake::Env f;
  S().acceptOnly = "nobody";
  EXPECT_EQ(daq::InitDriver(f.p()), 0);
  EXPECT_EQ(f.env.ui.Count("Upozornění"), 1);
  EXPECT_STREQ(f.card().CardName, "Tarvelin");
  EXPECT_EQ(f.card().Driver, daq::DriverState::Refused);
  EXPECT_NE(daq::DriverReport(f.p()).find("Td_Init_Driver refused"), std::string::npos);
  f.card().PocetVolani = 2;
  EXPECT_EQ(daq::InitDriver(f.p()), 0);
  EXPECT_EQ(f.env.ui.Count("Upozornění"), 1);
  // Detection then stops before the default scan: nothing is configured.
  EXPECT_EQ(daq::BOARD_Init(f.p()), 0);
  EXPECT_TRUE(S().config.empty());
}

TEST(DriverInit, CloseFailureKeepsTheDriverOpen) {
  fake::Env f;
  ASSERT_EQ(daq::InitDriver(f.p()), 1);
  S().closeStatus = 42;
  EXPECT_EQ(daq::CloseDriver(f.p()), 0);
  EXPECT_EQ(f.card().Driver_Inicializovan, 1);
  EXPECT_EQ(f.env.ui.Count("Chyba Td_Close_Driver 42"), 1);
  S().closeStatus = 0;
  EXPECT_EQ(daq::CloseDriver(f.p()), 1);
  EXPECT_EQ(f.card().Driver_Inicializovan, 0);
  EXPECT_EQ(daq::CloseDriver(f.p()), 1);  // closed already: nothing to do
  EXPECT_EQ(S().closes, 2);
}

TEST(DriverInit, SimulationTouchesNothingButCloseStillCloses) {
  fake::Env f;
  ASSERT_EQ(daq::InitDriver(f.p()), 1);
  f.p().DG.Simulation = 1;
  S().opened.clear();
  EXPECT_EQ(daq::BOARD_Init(f.p()), 1);
  EXPECT_EQ(daq::Detekce_Parametru_Karty(f.p(), true), 1);
  EXPECT_EQ(f.card().PocetVolani, 0);
  EXPECT_TRUE(S().config.empty());
  EXPECT_EQ(daq::CloseDriver(f.p()), 1);
  EXPECT_EQ(S().closes, 1);
}

TEST(Detection, BoundsZeroInputsAndPeriods) {
  fake::Env f;
  S().caps[2103] = 901;
  S().caps[1201] = -901;
  S().caps[1501] = 900;
  S().caps[1510] = -900;
  S().caps[2113] = 901.5;   // real bound
  S().caps[2114] = -900.0;  // stays
  S().caps[2505] = 131072;  // unbounded
  S().caps[2001] = 0;       // no maximum frequency
  S().caps[2002] = 2;
  EXPECT_EQ(daq::Detekce_Parametru_Karty(f.p(), true), 1);
  daq::CardState& c = f.card();
  EXPECT_EQ(c.ScanAI_function_resolution, 0);
  EXPECT_EQ(c.AO_number_of_outputs, 900);
  EXPECT_EQ(c.AO_number_of_ranges, -900);
  EXPECT_EQ(c.ScanAI_minimum_of_range[1], 0.0);
  EXPECT_EQ(c.ScanAI_maximum_of_range[1], -900.0);
  EXPECT_EQ(c.DAC_depth, 131072);
  EXPECT_FLOAT_EQ(f.p().MAXWPER, 500.0f);

  S().caps[2101] = 0;
  S().caps[2001] = std::nan("");
  S().caps[2002] = -5;
  f.env.ui.ClearLog();
  EXPECT_EQ(daq::Detekce_Parametru_Karty(f.p(), false), 0);
  EXPECT_FLOAT_EQ(f.p().MINWPER, 1.0f);
  EXPECT_FLOAT_EQ(f.p().MAXWPER, 1.0f);
  ASSERT_EQ(Messages(f.env.ui), 1);
  EXPECT_EQ(f.env.ui.Log()[0].text, state::Txt(f.p(), 1300));
}

TEST(BoardInit, CardTestShowsBothReportsOnceAgain) {
  fake::Env f;
  ASSERT_EQ(daq::Board_Init(f.p()), 1);
  f.env.ui.ClearLog();
  EXPECT_EQ(daq::CardTest(f.p()), 1);
  EXPECT_EQ(f.env.ui.Count("Detekované parametry zarizeni"), 1);
  EXPECT_EQ(f.env.ui.Count("Analog input test :"), 1);
  f.env.ui.ClearLog();
  EXPECT_EQ(daq::BOARD_Init(f.p()), 1);  // second call since the test: quiet
  EXPECT_EQ(Messages(f.env.ui), 0);
}

TEST(BoardInit, EachFailingStepSaysWhichCall) {
  struct Case {
    int32_t fake::Script::*status;
    const char* caption;
  };
  for (Case k : {Case{&fake::Script::configStatus, nullptr},
                 Case{&fake::Script::counterStatus, "Chyba Td_Config_ScanCounter -3"},
                 Case{&fake::Script::startStatus, "Chyba Td_Start_Acquisition -3"},
                 Case{&fake::Script::singleStatus, "Chyba Td_Get_SingleAcquisition -3"}}) {
    fake::Env f;
    S().*k.status = -3;
    EXPECT_EQ(daq::Board_Init(f.p()), 0);
    EXPECT_EQ(f.p().BoardPresent, 0);
    EXPECT_EQ(f.p().Status, state::Txt(f.p(), 313));
    if (k.caption)
      EXPECT_EQ(f.env.ui.Count(k.caption), 1) << k.caption;
    else
      EXPECT_EQ(Messages(f.env.ui), 0);
    if (k.status == &fake::Script::startStatus) {
      EXPECT_EQ(f.card().Driver_Inicializovan, 0);
      EXPECT_EQ(S().closes, 1);
    }
  }
}

TEST(BoardInit, SimulationSwitchOpensAndClosesTheDriver) {
  fake::Env f;
  f.p().DG.Simulation = 1;
  daq::ToggleSimulation(f.p());
  EXPECT_EQ(f.p().DG.Simulation, 0);
  EXPECT_EQ(f.card().Driver_Inicializovan, 1);
  EXPECT_STREQ(daq::CardStateText(f.p()),
               "HW detekován a pracuje správně, lze přepnout i do simulačního režimu");
  daq::ToggleSimulation(f.p());

  EXPECT_EQ(f.p().DG.Simulation, 1);
  EXPECT_EQ(f.card().Driver_Inicializovan, 0);
  EXPECT_EQ(f.p().DoPanel, 1);
}

TEST(RealCard, StartAcquisitionFailureOnRequest) {
  realcard::Env r("Td_Start_Acquisition:-77");
  if (!r.ok) GTEST_SKIP() << r.skipReason;
  EXPECT_EQ(daq::Board_Init(r.p()), 0);
  EXPECT_EQ(r.env.ui.Count("Chyba Td_Start_Acquisition -77"), 1);
  EXPECT_EQ(daq::Card(r.p()).Driver_Inicializovan, 0);
}

}  // namespace
