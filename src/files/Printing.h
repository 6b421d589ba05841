// Print jobs in phases (open, draw, close) over the program's print seam,
// the checks of the print record, and text files on paper.
#pragma once

#include <functional>
#include <string>

#include "platform/Canvas.h"

namespace state {
struct Program;
}

namespace files {

// Bounds of the print record, page pixels: plot size, offsets, text cells.
inline constexpr int kMinPrintSize = 50, kMaxPrintSize = 10000;
inline constexpr int kMaxPrintOffset = 10000;
inline constexpr int kMinTextCell = 10, kMaxTextCell = 200;
inline constexpr int kMinScaleCell = 6, kMaxScaleCell = 200;

// Brings the print record into its bounds; a plot size out of them (0, 30000)
// is named in a message. Answers false without a print record.
bool SanePrintSettings(state::Program& p);

// Job phases of a print: 0 open, draw and close; -1 open only; 2 draw only;
// 1 draw and close. Several drawings between -1 and 1 share the page.
enum PrintPhase { kPrintWhole = 0, kPrintLast = 1, kPrintDraw = 2, kPrintOpen = -1 };

// Opens the job unless one is open; false when there is nothing to print
// on or the user declined (nothing is said then).
bool OpenPrint(state::Program& p);
// Ends the open job and says where it went; false when it could not be completed.
bool ClosePrint(state::Program& p);
// `draw` on the page of the job in `phase`; a drawing phase without an open
// job opens one. Answers false when nothing was printed. This is the way
// any window puts its picture on paper.
bool PrintDrawing(state::Program& p, int phase, const std::function<void(platform::Canvas&)>& draw);

// The text file `name` (a program name such as "\MACRO\A.MAC") line by line
// from (x, y) in a character cell, down to the page bottom. A missing,
// oversized or binary file is refused with a message (false).
bool DrawTextBlock(state::Program& p, platform::Canvas& dc, const std::string& name, int x, int y);
// The text file as a job of its own, on as many pages as it needs (PTA, PTMC).
bool PrintTextFile(state::Program& p, const std::string& name);

// The PDF file of the next job in a run without a display: the name given,
// then the same with a number; else DATA/PRINT_001.pdf, ... (first free).
std::string NextPrintFile(state::Program& p);

}  // namespace files
