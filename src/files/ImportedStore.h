// What every foreign import shares: the file dialog, the store set up from
// the samples read into the scratch array, and the remembered name and
// text mask. An import reads everything into the scratch array and
// temporaries first, so the store changes only in CommitImport.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace files {

// An open or save dialog over a program folder ("\DATA\") with general texts
// for title and filter; nullopt when cancelled or nothing was chosen.
std::optional<std::string> ChooseFile(state::Program& p, int title, int filter, const std::string& folder,
                                      const std::string& mask, bool save);

// The store's text mask field of `DG` ("*.WTX" / "*.MTX"), 6 characters.
char* TextMask(state::Program& p, store::Store store);

// Replaces the store by an import: the first channels × rows values of the
// scratch array, channel after channel. Every channel record comes from
// the default, channels 1..n are active with `step` (and `channelName`
// when not empty); the header holds the count, the length, no pretrigger,
// the store kind, no comment and today's date. The store's windows are
// closed first (they show the old channel layout; the caller opens them
// again), and the change is announced with kDataChanged. `fromScratch` false: the
// caller has already written the samples into the store's own array.
void CommitImport(state::Program& p, store::Store store, int channels, int32_t rows, float step,
                  std::string_view channelName = {}, bool fromScratch = true);

// The imported file's extension as the store's text mask, its name in
// captions (`NewName`).
void RememberImport(state::Program& p, store::Store store, const std::string& name);

// Samples the store can take from an import (the smaller array decides).
int64_t ImportCapacity(const state::Program& p, store::Store store);

}  // namespace files
