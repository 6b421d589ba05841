#include "ops/MatrixOps.h"

#include "state/Program.h"

namespace ops {

// Placeholders until the matrix operations land.
bool NormalizeMatrix(state::Program&) { return false; }
bool SmoothMatrix(state::Program&) { return false; }
bool TransposeMatrix(state::Program&, int) { return false; }
bool SaveMatrix(state::Program&) { return false; }
bool OpenMatrix(state::Program&, const std::string&) { return false; }

}  // namespace ops
