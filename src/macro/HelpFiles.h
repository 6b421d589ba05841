// The files of the help text window (`TKeysWindow`), chosen by number, found
// in the program folder first and then among the installed resources.
#pragma once

#include <optional>
#include <string>

namespace state {
struct Program;
}

namespace macro {

// "grp1help.txt" for 0 ... "ex3help.txt" for 18; nullptr for a number
// without a file.
const char* HelpFileName(int number);

// The path of help file `number`, or nullopt when it is missing.
std::optional<std::string> FindHelpFile(const state::Program& p, int number);

// Reads help file `number` (at most 1 MiB, line ends made "\n"); a missing
// or unreadable file is reported with Mess. Answers 1 with `text` set, else 0.
int LoadHelpText(state::Program& p, int number, std::string& text);

// The help text window: the file's text in a read-only window. Answers 1/0.
int ShowHelpText(state::Program& p, int number);

}  // namespace macro
