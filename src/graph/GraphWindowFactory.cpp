// The factory the main window opens graph windows with: a window only for a
// channel slot that exists, set up (`DisplInit`) before it is shown.
#include "graph/GraphModel.h"

namespace graph {

platform::GraphWindowFactory MakeGraphWindowFactory(state::Program& p, OwnSurface own,
                                                    WindowDialogs dialogs) {
  return
      [&p, own, dialogs](const platform::GraphWindowSpec& request) -> std::unique_ptr<platform::GraphWindow> {
        const store::Store isW = store::StoreFromFlag(request.store);
        if (!p.Graphs(isW) || request.channel < 0 || request.channel >= store::kChannels) return nullptr;
        auto w = std::make_unique<TDispl10>(p, request.caption, isW, int16_t(request.channel), request.start,
                                            request.rect);
        // Without its picture buffer the window has asked the program to end.
        if (w->Broken()) return nullptr;
        if (own == OwnSurface::Nothing) w->DrawNothing();
        w->Dialogs = dialogs;
        w->DisplInit();
        return w;
      };
}

}  // namespace graph
