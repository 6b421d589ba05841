// Where each keyword's file goes: one table of keyword -> folder, mask
// (whose extension is the default one) and dialog texts, and the one rule
// that turns the file word of the command buffer into a program name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace state {
struct Program;
}

namespace files {

// The mask of an entry: fixed, or one the program keeps in `DG` / `WG`
// (data file masks follow the extension of the last file read).
enum class MaskSource { Fixed, WaveData, MeasData, Modify, Macro };

struct FileArgument {
  const char* keyword;
  const char* folder;  // "\DATA\"
  MaskSource source;
  const char* mask;   // "*.JOB" for a fixed mask
  int title, filter;  // general texts of the dialog
  bool save;
};

// The entry of a file keyword, nullptr for other keywords.
const FileArgument* FindFileArgument(std::string_view keyword);
// Every entry, for tests and the help.
const FileArgument* FileArguments(size_t& count);

// The entry's mask as the dialog shows it ("*.W").
std::string ArgumentMask(const state::Program& p, const FileArgument& a);

// The next file word of `NameQueue` for `keyword`, by the one rule: a word
// goes into the keyword's folder unless it names a folder of its own and
// gets the mask's extension unless it has one; the word "I" is
// `ImplicitName`; "?" or nothing opens the keyword's dialog, and a dialog
// answer without a folder is placed in the keyword's folder too (`initial`:
// the name the dialog starts from). Answers 1 with `name` (a program name
// such as "\JOB\x.JOB" or an absolute path), 0 when the dialog was
// cancelled or nothing usable was named.
[[nodiscard]] int TakeFileArgument(state::Program& p, std::string_view keyword, std::string& name,
                                   const std::string& initial = {});

}  // namespace files
