#include "app/HeadlessMenus.h"

#include <charconv>
#include <filesystem>

#include "app/MainWindow.h"
#include "app/MenuCommands.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/ScriptedUi.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace app {

bool AddMenuOption(const std::string& option, const std::string& v, HeadlessOptions& o, std::string& error) {
  if (option == "--menu") {
    int id = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), id);
    if (ec != std::errc() || end != v.data() + v.size() || !IsMenuCommand(id)) {
      error = "unknown menu item " + v;
      return false;
    }
    o.menus.push_back({id, {}});
    return true;
  }
  std::error_code ec;
  const std::filesystem::path path = v.empty() ? std::filesystem::path() : std::filesystem::absolute(v, ec);
  if (o.menus.empty() || v.empty() || ec) {
    error = o.menus.empty() ? "--file answers a --menu given before it" : "--file needs a path";
    return false;
  }
  o.menus.back().files.push_back(path.string());
  return true;
}

bool RunMenusAfterStartup(Program& p, TMainWindow& w, platform::HeadlessWindowHost& host,
                          platform::ScriptedUi& ui, const std::vector<MenuOption>& menus) {
  // The first tick would run the command words right after loading the
  // work files; they wait for the menu items.
  const int32_t words = p.DoCommand;
  p.DoCommand = 0;
  w.Timer();
  host.DeliverPending();
  bool ok = !w.Closed();
  for (size_t i = 0; ok && i < menus.size(); ++i) {
    const size_t from = ui.Log().size();
    ui.ClearFiles();
    for (const std::string& path : menus[i].files) ui.QueueFile(path);
    MenuCommand(p, menus[i].id);
    host.DeliverPending();
    if (ui.FilesLeft())
      ui.Message("Menu item " + std::to_string(menus[i].id) + " left " + std::to_string(ui.FilesLeft()) +
                     " --file path(s) unused",
                 "Error");
    ok = !ErrorShownSince(p, ui, from) && !w.Closed();
  }
  ui.ClearFiles();
  p.DoCommand = ok ? words : 0;
  return ok;
}

}  // namespace app
