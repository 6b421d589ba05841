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

// Divides every value by the largest one after asking (general text 804).
// False when refused, cancelled or the matrix is empty.
[[nodiscard]] bool NormalizeMatrix(state::Program& p);

// Smooths the matrix in place (`Vyhlazeni`).
[[nodiscard]] bool SmoothMatrix(state::Program& p);

// Transposition, variant 0 or 1 (`Transpozice`).
[[nodiscard]] bool TransposeMatrix(state::Program& p, int variant);

// Writes the header and the values to the waveform file name with the
// extension "MAT" (`Save_Matrix`).
[[nodiscard]] bool SaveMatrix(state::Program& p);

// Reads a saved .MAT file into the matrix; a file whose header disagrees with
// its size is refused with a message and the matrix is left as it was.
[[nodiscard]] bool OpenMatrix(state::Program& p, const std::string& path);

}  // namespace ops
