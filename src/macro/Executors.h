// The executors behind the keywords, grouped by family, and what they share.
// Each answers kDone, kFailed (the executor told the user; a macro goes on)
// or kStatementFailed (the statement could not run at all: a keyword this
// build cannot carry out, or a file nobody named or chose).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace macro {

inline constexpr int kDone = 1;
inline constexpr int kFailed = 0;
inline constexpr int kStatementFailed = -1;

using Executor = int (*)(state::Program&);

// Says that the keyword cannot be carried out in this build (title general
// text 14) and answers kStatementFailed.
int NotAvailable(state::Program& p, std::string_view keyword);
// A file dialog that was cancelled (or had no answer, as headless) fails the
// statement with a message instead of silently passing.
int NoFileChosen(state::Program& p, std::string_view keyword);

// User message `code` (with `arg`) to every open window of the waveform
// store, then of the measurement store.
void Broadcast(state::Program& p, int code, int arg = 0);

// Files and memory.
int ReadDataCommand(state::Program& p, store::Store store, bool accumulate, std::string_view keyword);
int WriteDataCommand(state::Program& p, store::Store store, std::string_view keyword);
int WriteChannelCommand(state::Program& p, store::Store store, std::string_view keyword);
int JobCommand(state::Program& p, bool write, int onlyJob, std::string_view keyword);
int DeleteFileCommand(state::Program& p, std::string_view keyword);
int StoreFileAlgebraCommand(state::Program& p, store::Store store, int operation, std::string_view keyword);
int ExWWA(state::Program& p);
int ExWMA(state::Program& p);
int ExMODIFY(state::Program& p);
int ExCONV(state::Program& p);

// Names and time stamps.
int NameCommand(state::Program& p, store::Store store, bool set);
int ExIMPLICITNAME(state::Program& p);
int ExDATNAME(state::Program& p);
int ExWNAME_INDX(state::Program& p);
// `TimeToCom`: the date and time put in front of the store's comment.
int TimeToCom(state::Program& p, store::Store store);

// Program, runs and macros.
int ExSIMON(state::Program& p);
int ExSIMOFF(state::Program& p);
int ExIMPLICIT(state::Program& p);
int ExDEFAULT(state::Program& p);
int ExADTEST(state::Program& p);
int ExED(state::Program& p);
int ExEDMC(state::Program& p);
int ExGOMC(state::Program& p);  // run a macro
int ExGOIM(state::Program& p);
int ExCLMC(state::Program& p);
int ExINMC(state::Program& p);
int CommentCommand(state::Program& p, store::Store store);
int ExDELAY(state::Program& p);
int ExPWAIT(state::Program& p);
int ExPWAITOFF(state::Program& p);
int ExPTW(state::Program& p);
int ExPTM(state::Program& p);
int ExPTA(state::Program& p);
int ExPTMC(state::Program& p);

// Settings of the current acquisition record, selections, outputs.
int SettingCommand(state::Program& p, std::string_view keyword);
// An int32 flag of the current `A` record at `offset` (MRCON, MTRON, ...).
int SetAFlag(state::Program& p, size_t offset, int32_t value);
// Bit 0 of the flag byte at 152: accumulating waveform runs (WADDON, WADDOFF).
int SetAccumulation(state::Program& p, bool on);
int ExCOMBION(state::Program& p);
int SelectionCommand(state::Program& p, int table, int value, int promptText, std::string_view keyword);
int ExBASEADR(state::Program& p);
int ExDIGOUT(state::Program& p);
int AnalogOutputCommand(state::Program& p, int output);

// Display.
int ExCTRLM(state::Program& p);
int ExPEN(state::Program& p);

// Processing.
int SpectrumCommand(state::Program& p, bool magnitudes);
int ExWBZERO(state::Program& p);  // zero W samples of a range
int ExMBZERO(state::Program& p);
int BandCommand(state::Program& p, int mode, std::string_view keyword);
int CalculusCommand(state::Program& p, int operation, std::string_view keyword);
int ExFUN(state::Program& p);
// which: 0 WLCD, 1 WLCF, 2 MLCD, 3 MLCF.
int CoefficientCommand(state::Program& p, int which, int promptText);
int ConstantCommand(state::Program& p, store::Store store, bool multiply, std::string_view keyword);
int ChannelPairCommand(state::Program& p, int operation, int textA, int textB, std::string_view keyword);
int ExCHWDEL(state::Program& p);
int ExCHWREAD(state::Program& p);
int ChannelTextCommand(state::Program& p, bool unit, std::string_view keyword);

}  // namespace macro
