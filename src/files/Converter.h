// Starting the installation's external data converter.
#pragma once

#include <string>

namespace state {
struct Program;
}

namespace files {

// The converter program: "konverze" in the program directory.
std::string ConverterPath(const state::Program& p);

// `TMainWindow::Conversion`: closes every graph window, empties the command
// text buffer and starts the converter with an argv of its path alone (no
// shell, so a program directory with blanks or quotes is no matter). A
// missing program, or one that cannot be started, is reported (383 with the
// path, title 13) and answers 0.
[[nodiscard]] int Conversion(state::Program& p);

}  // namespace files
