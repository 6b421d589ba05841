// `TMainWindow::MemSize`: the memory dialog. A new budget takes effect at the
// next start, so accepting it ends the program through the normal exit.
#pragma once

#include <string>
#include <string_view>

namespace state {

struct Program;

inline constexpr long kMemoryUnit = 131072;  // samples per unit of the dialog's field
inline constexpr long kDefaultMemorySamples = 1048576;

// The memory report shown above the field (general text 382).
std::string MemoryReport(const Program& p);
// The field as the dialog opens: `TotalSamples` in units of 131072 samples.
std::string MemoryFieldText(const Program& p);
// The default button: 1048576 samples.
std::string DefaultMemoryFieldText();
// The field as OK reads it: at most 8 characters as an integer (no number
// reads as 0), clamped to 1..2048.
long MemoryUnitsFromText(std::string_view text);

// Closing the dialog with OK: asks general text 315 (title 15); on Yes the
// units become `TotalSamples` and `MaxLength` and `CommonBool` is set.
// Answers 1 on Yes.
int CloseMemoryDialog(Program& p, long units);

// Opens `p.MemoryDialog` when the program has one, else a value prompt in
// units; answers 1 when a new budget was accepted (and the exit requested).
int MemSize(Program& p);

}  // namespace state
