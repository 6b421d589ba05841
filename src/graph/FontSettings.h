// The fonts the graph windows draw with: the scale font record of `DG`
// (face, weight, character cell), chosen in the font dialog or set cell by
// cell, and the text font cell of the print record.
#pragma once

#include <cstdint>

#include "platform/Canvas.h"

namespace state {
struct Program;
}

namespace graph {

// The bounds of the scale font height, shared by its value dialog and the
// font dialog, so that either way the scales stay legible and in the window.
inline constexpr int32_t kScaleFontMinHeight = 6;
inline constexpr int32_t kScaleFontMaxHeight = 72;

// The font record of `DG` as a drawing font; values a job file left out of
// range are brought into it (weight 100..900, height within the bounds).
platform::Font ScaleFont(const state::Program& p);

// Stores face, weight and height (cell height) into the font record of `DG`;
// its width and the rest of the record stay.
void SetScaleFont(state::Program& p, const platform::Font& font);

// Menu item 241: the font dialog for the graph scales; the choice is stored
// and the graph windows redrawn. Answers 1 when a font was chosen.
int ChooseScaleFont(state::Program& p);

// Dialogs 26 to 29 of the interpreter's dialog dispatcher: scale font height
// and width (`DG` font record), text font height and width (print record).
// Answers 1 when a value was accepted.
int FontCellDialog(state::Program& p, int dialog);

}  // namespace graph
