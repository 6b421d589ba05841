// The user functions of the five function pages (`Fun`, run by FUN): the
// page's first int16 is the function code, its second the channel (0-based)
// it works on.
#pragma once

#include <string>

namespace state {
struct Program;
}

namespace ops {

// `CreateNewData`: runs the function of page `page` (0 … 4). Codes 10
// (decibels), 37 to 41 (band analysis into channel 61, the band's centre and
// half-width as float32 at offsets 4 and 8 of the page), 42 to 56 (the
// time–frequency matrix, `FreqAnal2D`) and 59 to 62, 64 to 66 (the
// sample-wise mathematics, in place on the page's channel over the whole
// record) are carried out; any other code, among them the harmonic analyses,
// tells the user through `Mess` that the function is not available here.
// Answers 1 when the function ran.
[[nodiscard]] int CreateNewData(state::Program& p, int page);

// `TMainWindow::Funkce_Proved`: page `page` (0 … 4) becomes the current
// function page (`FunPage`) and runs. FUN n calls it with n − 1.
[[nodiscard]] int Funkce_Proved(state::Program& p, int page);

// What function code `code` does, in the interface language, for the
// function pages' dialog; codes this build cannot run say so.
std::string FunctionOperation(const state::Program& p, int code);
// The fields a code reads beyond its channel: the band (centre and
// half-width) and the int32 N at offset 36 of the page.
bool FunctionUsesBand(int code);
bool FunctionUsesN(int code);

}  // namespace ops
