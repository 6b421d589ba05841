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
  EXPECT_EQ(S().opened, (std::vector<std::string>{f.env.paths.Root() + "/libduziv_daq01.so",
                                                  "/opt/vendor/libduziv_daq01.so", "libduziv_daq01.so"}));
  EXPECT_EQ(f.p().BoardPresent, 0);
  EXPECT_EQ(f.env.ui.Count("Chyba"), 1);
  EXPECT_NE(daq::DriverReport(f.p()).find("/opt/vendor/libduziv_daq01.so"), std::string::npos);
  EXPECT_TRUE(daq::Simulating(f.p()));
  // A second attempt tries again (the library may have been installed since).
  EXPECT_EQ(daq::BOARD_Init(f.p()), 0);
  EXPECT_EQ(S().opened.size(), 5u);  // no TARVELIN_DRIVER this time
  // No loader at all counts as a missing library.
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
    EXPECT_EQ(std::tuple(f.card().Load, f.card().FLoad), std::tuple(daq::LoadState::NameMissing, 0));
    EXPECT_EQ(f.card().fn.Td_Init_Driver, nullptr);  // nothing half-resolved is kept
    EXPECT_NE(daq::DriverReport(f.p()).find("Td_Set_AO"), std::string::npos);
    EXPECT_EQ(daq::InitDriver(f.p()), 0);
  }
  fake::Env f;
  S().missing = {"Td_Wait_For_IRQ"};
  EXPECT_EQ(daq::make_library(f.p()), 0);
  EXPECT_EQ(f.card().FLoad, 999);
  EXPECT_NE(daq::DriverReport(f.p()).find("Td_Wait_For_IRQ"), std::string::npos);
  EXPECT_EQ(daq::InitDriver(f.p()), 1);
  EXPECT_EQ(daq::release_library(f.p()), 0);
  EXPECT_EQ(daq::release_library(f.p()), 1);
}

TEST(DriverInit, ApplicationNamesInOrderAndOnlyTheThirdAccepted) {
  fake::Env f;
  S().acceptOnly = "Tarvelin";
  EXPECT_EQ(daq::InitDriver(f.p()), 1);
  EXPECT_EQ(S().initNames, (std::vector<std::string>{"TARVELIN", "tarvelin", "Tarvelin"}));
  EXPECT_EQ(std::tuple(f.card().Driver_Inicializovan, f.p().BoardPresent, Messages(f.env.ui)),
            std::tuple(1, 1, 0));
  EXPECT_EQ(daq::InitDriver(f.p()), 1);  // already open: no further Td_Init_Driver
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

TEST(DriverInit, CloseFailureKeepsTheDriverOpenAndSimulationTouchesNothing) {
  fake::Env f;
  ASSERT_EQ(daq::InitDriver(f.p()), 1);
  S().closeStatus = 42;
  EXPECT_EQ(daq::CloseDriver(f.p()), 0);
  EXPECT_EQ(f.card().Driver_Inicializovan, 1);
  EXPECT_EQ(f.env.ui.Count("Chyba Td_Close_Driver 42"), 1);
  S().closeStatus = 0;
  // In simulation nothing is configured or counted, but close still closes.
  f.p().DG.Simulation = 1;
  S().opened.clear();
  EXPECT_EQ(daq::BOARD_Init(f.p()), 1);
  EXPECT_EQ(daq::Detekce_Parametru_Karty(f.p(), true), 1);
  EXPECT_EQ(f.card().PocetVolani, 0);
  EXPECT_TRUE(S().config.empty());
  EXPECT_EQ(daq::CloseDriver(f.p()), 1);
  EXPECT_EQ(f.card().Driver_Inicializovan, 0);
  EXPECT_EQ(daq::CloseDriver(f.p()), 1);  // closed already: nothing to do
  EXPECT_EQ(S().closes, 2);
}

TEST(Detection, BoundsZeroInputsAndPeriods) {
  fake::Env f;
  for (auto [code, value] : {std::pair{2103, 901.0},
                             {1201, -901.0},
                             {1501, 900.0},
                             {1510, -900.0},
                             {2113, 901.5},     // real bound
                             {2114, -900.0},    // stays
                             {2505, 131072.0},  // unbounded
                             {2001, 0.0},
                             {2002, 2.0}})  // no maximum frequency
    S().caps[code] = value;
  EXPECT_EQ(daq::Detekce_Parametru_Karty(f.p(), true), 1);
  daq::CardState& c = f.card();
  EXPECT_EQ(
      std::tuple(c.ScanAI_function_resolution, c.AO_number_of_outputs, c.AO_number_of_ranges, c.DAC_depth),
      std::tuple(0, 900, -900, 131072));
  EXPECT_EQ(std::tuple(c.ScanAI_minimum_of_range[1], c.ScanAI_maximum_of_range[1]), std::tuple(0.0, -900.0));
  EXPECT_FLOAT_EQ(f.p().MAXWPER, 500.0f);
  S().caps[2101] = 0;
  S().caps[2001] = std::nan("");
  S().caps[2002] = -5;
  f.env.ui.ClearLog();
  EXPECT_EQ(daq::Detekce_Parametru_Karty(f.p(), false), 0);
  EXPECT_EQ(std::tuple(f.p().MINWPER, f.p().MAXWPER), std::tuple(1.0f, 1.0f));
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
  const std::pair<int32_t fake::Script::*, const char*> cases[] = {
      {&fake::Script::configStatus, nullptr},
      {&fake::Script::counterStatus, "Chyba Td_Config_ScanCounter -3"},
      {&fake::Script::startStatus, "Chyba Td_Start_Acquisition -3"},
      {&fake::Script::singleStatus, "Chyba Td_Get_SingleAcquisition -3"}};
  for (auto [status, caption] : cases) {
    fake::Env f;
    S().*status = -3;
    EXPECT_EQ(daq::Board_Init(f.p()), 0);
    EXPECT_EQ(f.p().BoardPresent, 0);
    EXPECT_EQ(f.p().Status, state::Txt(f.p(), 313));
    EXPECT_EQ(caption ? f.env.ui.Count(caption) : Messages(f.env.ui), caption ? 1 : 0)
        << (caption ? caption : "");
    // A failed start closes the driver.
    if (status == &fake::Script::startStatus) {
      EXPECT_EQ(std::tuple(f.card().Driver_Inicializovan, S().closes), std::tuple(0, 1));
    }
  }
}

TEST(BoardInit, SimulationSwitchOpensAndClosesTheDriver) {
  fake::Env f;
  f.p().DG.Simulation = 1;
  daq::ToggleSimulation(f.p());
  EXPECT_EQ(std::tuple(f.p().DG.Simulation, f.card().Driver_Inicializovan), std::tuple(0, 1));
  EXPECT_STREQ(daq::CardStateText(f.p()),
               "HW detekován a pracuje správně, lze přepnout i do simulačního režimu");
  daq::ToggleSimulation(f.p());
  EXPECT_EQ(std::tuple(f.p().DG.Simulation, f.card().Driver_Inicializovan, f.p().DoPanel),
            std::tuple(1, 0, 1));
}

TEST(RealCard, StartAcquisitionFailureOnRequest) {
  realcard::Env r("Td_Start_Acquisition:-77");
  if (!r.ok) GTEST_SKIP() << r.skipReason;
  EXPECT_EQ(daq::Board_Init(r.p()), 0);
  EXPECT_EQ(r.env.ui.Count("Chyba Td_Start_Acquisition -77"), 1);
  EXPECT_EQ(daq::Card(r.p()).Driver_Inicializovan, 0);
}

}  // namespace
