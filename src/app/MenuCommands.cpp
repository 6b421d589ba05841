// Choosing a command of the main menu: the table names its handler.
#include "app/MenuCommands.h"

#include <string>

#include "app/MenuTable.h"
#include "macro/CommandBuffer.h"
#include "macro/InternalCommands.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace app {
namespace {

bool IsInternalCommand(int id) { return id >= kFirstInternalCommand && id <= kLastInternalCommand; }

void NotAvailable(Program& p, const MenuNode& item) {
  std::string label = item.label.empty() ? "Příkaz " + std::to_string(item.id) : item.label;
  std::erase(label, '&');
  state::ShowNotAvailable(p, label);
}

}  // namespace

bool IsMenuCommand(int id) { return IsInternalCommand(id) || FindMenuCommand(id); }

void MenuCommand(Program& p, int id) {
  // No envelope may outlive a command, whichever way it changed samples.
  struct DropEnvelopes {
    Program& p;
    ~DropEnvelopes() {
      for (store::Store s : store::kBothStores) state::SamplesChanged(p, s);
    }
  } drop{p};
  p.GoQWAgain = 0;
  p.MenuPopup = 0;
  if (IsInternalCommand(id)) macro::Command(p, id);
  const MenuNode* item = FindMenuCommand(id);
  if (!item) return;
  if (!MenuItemEnabled(p, id)) {
    NotAvailable(p, *item);
    return;
  }
  // A menu command takes no arguments: whatever an earlier command left in
  // the command text buffer must not become a file name here.
  macro::SetQueue(p, "");
  item->handler(p);
}

}  // namespace app
