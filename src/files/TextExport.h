// Writing a store as text: the full export with its header and channel
// headings, the one-column export the commands use, and the export of a
// graph window's selection.
#pragma once

#include <string>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace files {

// `WriteASCIIDataFileUtil`: the store as text: header lines,
// then for every active channel its heading and its samples ("%g", ten to a
// line, the running count after every hundred). `name` is a program name.
// 398 (title 13) when the file cannot be created. Answers 1 / 0; a failed
// write leaves an existing file as it was, and so does a stop (Esc, STOP,
// SIGINT), which says so itself and sets `stopped`.
[[nodiscard]] int WriteASCIIDataFileUtil(state::Program& p, const std::string& name, store::Store store,
                                         bool* stopped = nullptr);

// `TMainWindow::WriteASCIIDataFile`: the comment window (no macro), the save
// dialog when no name is given ("*.WTX" / "*.MTX" in "\DATA\"), the
// overwrite question 318 (no macro), the export (319 on failure) and the
// extension remembered as the store's text mask. Answers 1 / 0.
[[nodiscard]] int WriteASCIIDataFile(state::Program& p, const std::string& nameOrEmpty, store::Store store);

// `WriteSimpleASCIIDataFileUtil`: the first `Length` values of the waveform
// samples (its first active channel), one per line as "%12.8e\r\n".
[[nodiscard]] int WriteSimpleASCIIDataFileUtil(state::Program& p, const std::string& name);

// `Write_ASCII_Util`: question 1311, then user message kWriteSelectionText to the waveform
// window of channel 1, which writes its own selection; 1315 when it is not
// open. Answers 1 when the message went out.
[[nodiscard]] int Write_ASCII_Util(state::Program& p);

}  // namespace files
