// Writing every active waveform channel as a column of a text file, for
// spreadsheets and the text viewer.
#pragma once

#include <string>
#include <vector>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace files {

// The column file of a waveform file name: the extension of its file part
// replaced by `suffix` ("_c.TXT"), appended when it has none (a name without
// one must never become the waveform file itself).
std::string ColumnFileName(const std::string& waveName, const char* suffix = "_c.TXT");

// The columns themselves: "% interval [s] : " and the step of the first
// active channel, a line of names and one of units, then one line per
// sample index with each active channel's value as "   %<7+d>.<d>f"
// (d = 1..7). `name` is a program name. Answers 1 / 0. A stop (Esc, STOP,
// SIGINT) leaves an existing file as it was, says so and sets `stopped`.
[[nodiscard]] int WriteColumnsUtil(state::Program& p, const std::string& name, int decimals,
                                   bool* stopped = nullptr);

// The same columns for the given channels (0-based, active ones of the
// store) over samples from … to of the record, with a line "% first sample : "
// after the interval: a graph window's selection. Ranges are cut to the
// record and to the array. Answers 1 / 0.
[[nodiscard]] int WriteColumnsRange(state::Program& p, const std::string& name, store::Store store,
                                    const std::vector<int>& channels, long long from, long long to,
                                    int decimals, bool* stopped = nullptr);

// `Write_ASCII_Util_SIMPL`: the columns of the whole waveform store to the
// column file of the last waveform file, after question 1362 and the
// decimal places prompt (1372), then the file in the text viewer (general
// text 5). Answers 1 when the file was written.
[[nodiscard]] int Write_ASCII_Util_SIMPL(state::Program& p);

}  // namespace files
