// The factory the main window opens graph windows with: a window only for a
// channel slot that exists, set up (`DisplInit`) before it is shown.
#include "graph/GraphModel.h"

namespace graph {

platform::GraphWindowFactory MakeGraphWindowFactory(app::Program& p) {
  return [&p](const platform::GraphWindowSpec& spec) -> std::unique_ptr<platform::GraphWindow> {
    const int isW = spec.store ? 1 : 0;
    if (!p.Graphs(isW) || spec.channel < 0 || spec.channel >= store::kChannels) return nullptr;
    auto w = std::make_unique<TDispl10>(p, spec.caption, isW, int16_t(spec.channel), spec.start, spec.rect);
    // Without its picture buffer the window has asked the program to end.
    if (w->Broken()) return nullptr;
    w->DisplInit();
    return w;
  };
}

}  // namespace graph
