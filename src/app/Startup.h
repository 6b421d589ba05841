// Start-up before the main window exists: the command line (`OwlMain`) and
// the application object's allocations (`TTarvelinApp::InitMainWindow`).
#pragma once

#include <string>
#include <vector>

namespace state {
struct Program;
}

namespace app {

using state::Program;

// Takes the one or two command-line words (a third is ignored), clears the
// card and exit flags and builds the caption.
void OwlMain(Program& p, const std::vector<std::string>& words);

// Allocates every record and array in start-up order, reads the job file
// (with its fallbacks) and the calibration texts. Answers false when any
// allocation failed (`NotEnoughMemory` is then set).
bool InitMainWindow(Program& p);

}  // namespace app
