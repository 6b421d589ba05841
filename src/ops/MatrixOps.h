// Operations on the result matrix (`Matrix` with its header `Mat`): the
// in-place transforms of the matrix display and the .MAT file. Each keeps the
// header's counts, windows and axes consistent with the values and leaves the
// matrix as it was when it refuses.
#pragma once

#include <string>

namespace state {
struct Program;
}

namespace ops {

// Divides every value (and the value range) by the largest one after asking
// (general text 804). A largest value that is not a positive number is
// refused with a message: dividing by it would turn the picture upside down
// or into infinities. False when refused, cancelled or without a matrix.
[[nodiscard]] bool NormalizeMatrix(state::Program& p);

// Smooths the matrix in place (`Vyhlazeni`): each value becomes the mean of
// the 3 × 3 block around it, of the part inside the matrix at its edges.
[[nodiscard]] bool SmoothMatrix(state::Program& p);

// Transposition (`Transpozice`): variant 0 swaps rows and columns; variant 1
// turns the matrix a quarter turn, so that the last row becomes the first
// column (four turns give the matrix back). Counts, windows, directions and
// axes follow the values.
[[nodiscard]] bool TransposeMatrix(state::Program& p, int variant);

// Writes the header and the values to the waveform file name with the
// extension "MAT" (`Save_Matrix`), through a temporary file. A name without
// an extension, or a file that cannot be written, shows "Chybné jméno"
// (title 13) with the name and saves nothing.
[[nodiscard]] bool SaveMatrix(state::Program& p);

// Reads a saved .MAT file into the matrix; a file whose header disagrees with
// its size is refused with a message and the matrix is left as it was.
[[nodiscard]] bool OpenMatrix(state::Program& p, const std::string& path);

// Whether `Mat` counts a matrix (rows and columns positive) and `Matrix`
// holds exactly its values; the operations above refuse anything else with
// general text 731, since a header read from the function file comes without
// its values.
bool HasMatrix(const state::Program& p);

}  // namespace ops
