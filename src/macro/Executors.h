// The executors behind the keywords, grouped by family, and what they share.
// Each answers kDone, kFailed (the executor told the user; a macro goes on)
// or kStatementFailed (the statement could not run at all: a keyword this
// build cannot carry out, or a file nobody named or chose).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace app {
struct Program;
}

namespace macro {

inline constexpr int kDone = 1;
inline constexpr int kFailed = 0;
inline constexpr int kStatementFailed = -1;

using Executor = int (*)(app::Program&);

// Says that the keyword cannot be carried out in this build (title general
// text 14) and answers kStatementFailed.
int NotAvailable(app::Program& p, std::string_view keyword);
// A file dialog that was cancelled (or had no answer, as headless) fails the
// statement with a message instead of silently passing.
int NoFileChosen(app::Program& p, std::string_view keyword);

// User message `code` (with `arg`) to every open window of the waveform
// store, then of the measurement store.
void Broadcast(app::Program& p, int code, int arg = 0);

// Files and memory.
int ReadDataCommand(app::Program& p, int store, int accumulate, std::string_view keyword);
int WriteDataCommand(app::Program& p, int store, std::string_view keyword);
int WriteChannelCommand(app::Program& p, int store, std::string_view keyword);
int JobCommand(app::Program& p, bool write, int onlyJob, std::string_view keyword);
int DeleteFileCommand(app::Program& p, std::string_view keyword);
int StoreFileAlgebraCommand(app::Program& p, int store, int operation, std::string_view keyword);
int ExWWA(app::Program& p);
int ExWMA(app::Program& p);
int ExMODIFY(app::Program& p);
int ExCONV(app::Program& p);

// Names and time stamps.
int NameCommand(app::Program& p, int store, int set);
int ExIMPLICITNAME(app::Program& p);
int ExDATNAME(app::Program& p);
int ExWNAME_INDX(app::Program& p);
// `TimeToCom`: the date and time put in front of the store's comment.
int TimeToCom(app::Program& p, int store);

// Program, runs and macros.
int ExSIMON(app::Program& p);
int ExSIMOFF(app::Program& p);
int ExIMPLICIT(app::Program& p);
int ExDEFAULT(app::Program& p);
int ExADTEST(app::Program& p);
int ExED(app::Program& p);
int ExEDMC(app::Program& p);
int ExGOMC(app::Program& p);
int ExGOIM(app::Program& p);
int ExCLMC(app::Program& p);
int ExINMC(app::Program& p);
int CommentCommand(app::Program& p, int store);
int ExDELAY(app::Program& p);
int ExPWAIT(app::Program& p);
int ExPWAITOFF(app::Program& p);
int ExPTW(app::Program& p);
int ExPTM(app::Program& p);
int ExPTA(app::Program& p);
int ExPTMC(app::Program& p);

// Settings of the current acquisition record, selections, outputs.
int SettingCommand(app::Program& p, std::string_view keyword);
// An int32 flag of the current `A` record at `offset` (MRCON, MTRON, ...).
int SetAFlag(app::Program& p, size_t offset, int32_t value);
// Bit 0 of the flag byte at 152: accumulating waveform runs (WADDON, WADDOFF).
int SetAccumulation(app::Program& p, bool on);
int ExCOMBION(app::Program& p);
int SelectionCommand(app::Program& p, int table, int value, int promptText, std::string_view keyword);
int ExBASEADR(app::Program& p);
int ExDIGOUT(app::Program& p);
int AnalogOutputCommand(app::Program& p, int output);

// Display.
int ExCTRLM(app::Program& p);
int ExPEN(app::Program& p);

// Processing.
int SpectrumCommand(app::Program& p, bool magnitudes);
int ExWBZERO(app::Program& p);
int ExMBZERO(app::Program& p);
int BandCommand(app::Program& p, int mode, std::string_view keyword);
int CalculusCommand(app::Program& p, int operation, std::string_view keyword);
int ExFUN(app::Program& p);
// which: 0 WLCD, 1 WLCF, 2 MLCD, 3 MLCF.
int CoefficientCommand(app::Program& p, int which, int promptText);
int ConstantCommand(app::Program& p, int store, bool multiply, std::string_view keyword);
int ChannelPairCommand(app::Program& p, int operation, int textA, int textB, std::string_view keyword);
int ExCHWDEL(app::Program& p);
int ExCHWREAD(app::Program& p);
int ChannelTextCommand(app::Program& p, bool unit, std::string_view keyword);

}  // namespace macro
