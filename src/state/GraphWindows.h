// Opening, closing and notifying the graph windows of the stores
// (`DisplayWave`, `UnDisplayWave`, `AktualizujOkno`).
#pragma once

#include <memory>
#include <string>

#include "store/Store.h"

namespace platform {
class GraphWindow;
}

namespace state {

struct Program;

// The caption " W%1d %s %s" / " M%1d %s %s" of a channel's window.
std::string WindowCaption(const Program& p, store::Store store, int channel);

// Closes the store's windows (all for channel -1), then opens the channel's
// window, or for -1 every active channel whose display flag of `MG` is set.
void DisplayWave(Program& p, store::Store store, int channel);
// Closes the windows of the store's active channels (all for -1).
void UnDisplayWave(Program& p, store::Store store, int channel);
// User message kRedrawAll to every open window of both stores.
void AktualizujOkno(Program& p);

// Sends a user message at once to every open window of a store.
void SendToStoreWindows(Program& p, store::Store store, int code, int arg = 0);
// The data-changed notification (kDataChanged) to the store's windows.
void DataChanged(Program& p, store::Store store);
// Whether any window of the store is open.
bool AnyWindowOpen(const Program& p, store::Store store);
// Sets every open window's caption of the store (after a name change).
void UpdateCaptions(Program& p, store::Store store);

// A new window's first paint: one window less to wait for, and a macro
// suspended for its windows goes on, unless it also waits for a run or an
// input (a run that opens its windows must not release its macro early).
void FirstPaintDone(Program& p);
// A macro running now waits for one more window's first paint.
void AwaitFirstPaint(Program& p);
// A window that only releases that wait, for runs without a front end.
std::unique_ptr<platform::GraphWindow> MakeStandInWindow(Program& p, std::string caption);
// What a button of the hot-key dialog does: sends hot-key `code` to the
// graph window of channel `chan` (0-based) of the store; without such a
// window general text 668 says so and false is answered.
bool SendHotKey(Program& p, store::Store store, int chan, int code);

}  // namespace state
