// `Position`: the graph windows laid out in a grid below the main window.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "app/MenuCommands.h"
#include "state/GraphWindows.h"
#include "state/Program.h"

namespace app {
namespace {

// The area the grid fills; the graph windows place a rectangle that does not
// fit the screen visibly themselves.
constexpr int kAreaWidth = 1280, kAreaHeight = 1024;
constexpr int kMainHeight = 223;  // the main window's height
constexpr int kMinWidth = 200, kMinHeight = 150;

}  // namespace

int Position(Program& p) {
  std::vector<std::pair<store::Store, int>> open;  // store, channel
  for (store::Store s : {store::Store::W, store::Store::M})
    for (int i = 0; i < store::kChannels; ++i)
      if (p.Windows(s)[i]) open.emplace_back(s, i);
  const int n = int(open.size());
  if (n == 0) return 0;
  const int cols = int(std::ceil(std::sqrt(double(n))));
  const int rows = (n + cols - 1) / cols;
  const int top = std::clamp(p.DG.MainY + kMainHeight, 0, kAreaHeight / 2);
  const int width = std::max(kAreaWidth / cols, kMinWidth);
  const int height = std::max((kAreaHeight - top) / rows, kMinHeight);
  for (int k = 0; k < n; ++k) {
    const auto [s, i] = open[size_t(k)];
    int32_t* r = p.Graphs(s)[i].WinRect;
    r[0] = (k % cols) * width;
    r[1] = top + (k / cols) * height;
    r[2] = r[0] + width;
    r[3] = r[1] + height;
  }
  // A window takes its rectangle when it opens.
  for (const auto& [s, i] : open) DisplayWave(p, s, i);
  return n;
}

}  // namespace app
