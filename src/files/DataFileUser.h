// The user-level data file operations of the main window: dialogs, macro
// names, questions, the comment window and window captions around the
// reader, the writer and the joiner.
#pragma once

#include <string>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace files {

// `TMainWindow::ReadDataFile`: with no name, the open dialog (or, while a
// macro runs with a macro name set, "\DATA\" + that name). Closes the
// store's windows (the caller reopens them), reads, reports 316 on failure,
// then remembers the extension as the store's mask and the name. 1 / 0.
[[nodiscard]] int ReadDataFile(state::Program& p, const std::string& nameOrEmpty, store::Store store,
                               bool accumulate);

// `TMainWindow::WriteDataFile`: the comment window (no macro), the save
// dialog or the macro name, the overwrite question 318 (no macro), writing
// (319 on failure), the mask and the name. `channel` as in WriteDataFileUtil.
[[nodiscard]] int WriteDataFile(state::Program& p, const std::string& nameOrEmpty, store::Store store,
                                int channel);

// `TMainWindow::WaveformLink`: question 1320 (no macro), the open dialog,
// joining (1322 on failure) and the waveform windows reopened.
[[nodiscard]] int WaveformLink(state::Program& p);

// The comment window of the store before a save (not while a macro runs).
void EditCommentBeforeSaving(state::Program& p, store::Store store);

}  // namespace files
