// The names of data files: the name shown in captions, the automatic macro
// names with their counters, the implicit name and the next file name taken
// from the command text buffer.
#pragma once

#include <string>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace files {

// `NewName`: `DW_Name` / `DM_Name` = the name shortened to 100 characters,
// then the captions of the store's open graph windows.
void NewName(state::Program& p, const std::string& name, store::Store store);

// `NameDatum`: "YY_MM_DD.HHT" from the clock into `W_Name` and `M_Name`.
void NameDatum(state::Program& p);

// `NameInMacro`: set != 0 sets the store's macro name (from `NameQueue`, or
// "Wave_000.w" / "Meas_000.m") and its counter; set = 0 advances the counter
// and writes its digits before the name's first ".".
void NameInMacro(state::Program& p, store::Store store, bool set);

// `ImplicitNameUtil`: `ImplicitName` = `NameQueue`, or "noname.w".
void ImplicitNameUtil(state::Program& p);

// The macro name in use for the store: `W_Name` or the selected `W_Nam_N`
// slot, `M_Name`. The fields hold 12 characters, the last one not always
// followed by a terminator, so they are read only through this.
std::string MacroName(const state::Program& p, store::Store store);
// Stores up to 12 characters into the store's selected macro name field.
void SetMacroName(state::Program& p, store::Store store, const std::string& name);

// `FileName`: the next file name of `NameQueue`. Empty or "?" opens the file
// dialog (title, filter; folder and mask from `mask`, e.g. "\DATA\*.W";
// `initial` as the dialog's starting name); the word "I" takes
// `ImplicitName`. Any other first word is the name and leaves the queue.
// Every name without a folder of its own is placed in the mask's folder, and
// one without an extension gets the mask's. Answers 1 with `name` set, 0 when
// the dialog was cancelled. Keywords reach this through `TakeFileArgument`.
[[nodiscard]] int FileName(state::Program& p, const std::string& title, const std::string& filter,
                           std::string& name, const std::string& mask, bool save = false,
                           const std::string& initial = {});

}  // namespace files
