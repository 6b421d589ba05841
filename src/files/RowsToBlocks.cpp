#include "files/RowsToBlocks.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "state/Progress.h"

namespace files {
namespace {

// Rows per run: a run of one column is the unit moved around.
constexpr int64_t kRun = 1024;

}  // namespace

bool RowsToBlocks(float* data, int64_t rows, int64_t columns, int64_t blockLength,
                  state::Progress& progress) {
  const int64_t C = columns;
  const int64_t tiles = rows / kRun;
  const int64_t head = tiles * kRun;  // rows handled as whole tiles
  const int64_t total = 2 * head * C + C * blockLength;
  int64_t done = 0;
  // The rows past the last whole tile wait aside until the blocks are spread.
  const std::vector<float> tail(data + head * C, data + rows * C);

  // Each tile of kRun rows becomes C runs of one column each.
  std::vector<float> tile(size_t(kRun * C));
  for (int64_t t = 0; t < tiles; ++t) {
    if (!progress.Step(done, total)) return false;
    float* T = data + t * kRun * C;
    std::copy(T, T + kRun * C, tile.begin());
    for (int64_t c = 0; c < C; ++c)
      for (int64_t i = 0; i < kRun; ++i) T[c * kRun + i] = tile[size_t(i * C + c)];
    done += kRun * C;
  }

  // Runs in (tile, column) order put into (column, tile) order: the
  // transposition of a tiles x C matrix of runs, cycle by cycle. The run at
  // v comes from (v * C) mod (U - 1); the first and the last stay.
  const int64_t U = tiles * C;
  if (U > 2 && C > 1) {
    std::vector<bool> placed(size_t(U), false);
    std::vector<float> carry(kRun);
    auto run = [&](int64_t u) { return data + u * kRun; };
    int64_t moved = 0;
    for (int64_t start = 1; start < U - 1; ++start) {
      if (placed[size_t(start)]) continue;
      std::copy(run(start), run(start) + kRun, carry.begin());
      for (int64_t v = start;;) {
        placed[size_t(v)] = true;
        if (++moved % (state::kStepPiece / kRun) == 0 && !progress.Step(done + moved * kRun, total))
          return false;
        const int64_t from = v * C % (U - 1);
        if (from == start) {
          std::copy(carry.begin(), carry.end(), run(v));
          break;
        }
        std::memcpy(run(v), run(from), kRun * sizeof(float));
        v = from;
      }
    }
  }
  done += head * C;

  // Blocks of `head` spread to blockLength apart, last first so none is
  // overwritten unread, with the waiting rows and the zeros after them.
  for (int64_t c = C - 1; c >= 0; --c) {
    if (!progress.Step(done, total)) return false;
    float* block = data + c * blockLength;
    std::memmove(block, data + c * head, size_t(head) * sizeof(float));
    for (int64_t r = head; r < rows; ++r) block[r] = tail[size_t((r - head) * C + c)];
    std::fill(block + rows, block + blockLength, 0.0f);
    done += blockLength;
  }
  return progress.Step(total, total);
}

}  // namespace files
