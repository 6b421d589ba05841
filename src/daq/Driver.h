// Bringing the card up: loading the vendor library, opening the driver,
// reading the card's capabilities and one test scan. Every function is a no-op
// success while the simulation flag is set, except CloseDriver.
#pragma once

#include <string>

namespace state {
struct Program;
}

namespace daq {

// The library file the loader looks for, in the program directory, as
// $TARVELIN_DRIVER (a full path) and on the system search path, in that order.
inline constexpr const char* kDriverFile = "libduziv_daq01.so";
inline constexpr const char* kDriverEnv = "TARVELIN_DRIVER";

// 0 loaded and every called entry point resolved, 1 not (the state says why).
int make_library(state::Program& p);
// 0 freed, 1 nothing was loaded.
int release_library(state::Program& p);

// 1 open (or simulation), 0 not; messages as the card layer shows them.
int InitDriver(state::Program& p);
// 1 closed or not open, 0 Td_Close_Driver failed (the driver stays open).
int CloseDriver(state::Program& p);
// Reads the capabilities; show: report them. 0 when the card has no inputs.
[[nodiscard]] int Detekce_Parametru_Karty(state::Program& p, bool show);
// Library, driver, capabilities, default scan and a test scan; 1/0.
int BOARD_Init(state::Program& p);
// BOARD_Init with wait cursor and status line; sets BoardPresent.
int Board_Init(state::Program& p);

// Card test (internal command 209): verbose BOARD_Init with messages again.
int CardTest(state::Program& p);
// Simulation switch (internal command 214, menu 211): the driver is opened
// when simulation goes off and closed when it goes on.
void ToggleSimulation(state::Program& p);
// Tooltip of the card-state panel button: simulation, no card, or card found.
const char* CardStateText(const state::Program& p);

// One line per step that failed while loading or opening the driver (empty
// when everything worked): which file, which names, which statuses.
std::string DriverReport(state::Program& p);

// The vendor driver finds its card by application name, not by I/O address:
// the per-channel BaseAddress is kept in the settings for the job files only,
// so there is nothing to derive (job read and IMPADR call this).
void DeriveCardAddresses(state::Program& p);

// "Chyba Td_Start_Acquisition %d" and the like: the failing call and status.
std::string StatusCaption(const char* format, int32_t status);
// Td_Start_Acquisition in `mode`; on failure closes the driver and shows
// `message` with the call and status in the caption. Answers 1 / 0.
[[nodiscard]] int StartAcquisitionOrClose(state::Program& p, int32_t mode, const char* message);

}  // namespace daq
