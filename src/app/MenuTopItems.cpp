// The macro menu, the runs and settings dialogs, the remark file and the
// help menu with the help topics that have no item of their own.
#include "app/About.h"
#include "app/MenuCommands.h"
#include "app/MenuRows.h"
#include "macro/HelpFiles.h"
#include "macro/InternalCommands.h"
#include "macro/MacroEditor.h"
#include "macro/MacroRunner.h"
#include "state/Program.h"

namespace app {
namespace {

void RunMacro(Program& p) { macro::StartMacro(p, ""); }
void EditMacro(Program& p) { macro::Edit(p, 1); }
void CheckMacro(Program& p) { macro::CheckMacro(p, ""); }

// The top-level and settings items run an internal command.
template <int Id>
void Internal(Program& p) {
  macro::Command(p, Id);
}

void Edit(Program& p) { EditWrite(p); }

template <bool Second>
void Manual(Program& p) {
  OpenManualInBrowser(p, Second);
}

template <bool Second>
void WebSite(Program& p) {
  OpenWebSite(p, Second);
}

void News(Program& p) { OpenNews(p); }
void ManualDocument(Program& p) { OpenManualDocument(p); }

template <int Topic>
void HelpTopic(Program& p) {
  macro::ShowHelpText(p, Topic);
}

}  // namespace

MenuNode MacroMenu() {
  return Submenu("&Makro", {
                               Item(kMenuRunMacro, "&Proveď  (GOMC)", RunMacro),
                               Item(kMenuEditMacro, "&Vytvoř,edituj (EDMC)", EditMacro),
                               Item(kMenuCheckMacro, "&Kontrola (GOIM)", CheckMacro),
                           });
}

std::vector<MenuNode> MacroCommandsWithoutItem() { return {Unlisted(kMenuMacroNoAction, NoAction)}; }

std::vector<MenuNode> RunItems() {
  return {Item(kMenuQW, "Q&W", Internal<203>), Item(kMenuQM, "&QM", Internal<202>)};
}

MenuNode SettingsMenu() {
  return Submenu("&Nastav", {
                                Item(kMenuAcquisitionDialog, "&Měření (AS dialog)", Internal<205>),
                                Item(kMenuChannelDialog, "&Kanály (MM dialog)", Internal<210>),
                                Item(kMenuCardTest, "&Karty (BS dialog) - ", Internal<209>),
                            });
}

MenuNode EditItem() { return Item(kMenuEdit, "&Edit", Edit); }

MenuNode HelpMenu() {
  return Submenu(
      "&Pomoc",
      {
          Item(kMenuManual, "&EXPLORER: Tarvelin - uživatelský manuál", Manual<false>),
          Item(kMenuManualSecondBrowser, "&NETSCAPE: Tarvelin - uživatelský manuál", Manual<true>),
          Separator(),
          Item(kMenuWebSite, "&WWW: stránky programu Tarvelin", WebSite<false>),
          Item(kMenuWebSiteSecondBrowser, "WWW: stránky programu Tarvelin (&druhý prohlížeč)", WebSite<true>),
          Separator(),
          Item(kMenuNews, "&NEWS - novinky v NEWS.RTF", News),
          Separator(),
          Item(kMenuAbout, "&O programu Tarvelin", About),
      });
}

std::vector<MenuNode> HelpCommandsWithoutItem() {
  return {
      Unlisted(kMenuManualDocument, ManualDocument), Unlisted(kMenuHelpTopic0, HelpTopic<0>),
      Unlisted(kMenuHelpTopic1, HelpTopic<1>),       Unlisted(kMenuHelpTopic2, HelpTopic<2>),
      Unlisted(kMenuHelpTopic3, HelpTopic<3>),       Unlisted(kMenuHelpTopic4, HelpTopic<4>),
      Unlisted(kMenuHelpTopic5, HelpTopic<5>),       Unlisted(kMenuHelpTopic6, HelpTopic<6>),
      Unlisted(kMenuHelpTopic7, HelpTopic<7>),       Unlisted(kMenuHelpTopic8, HelpTopic<8>),
      Unlisted(kMenuHelpTopic9, HelpTopic<9>),       Unlisted(kMenuHelpTopic11, HelpTopic<11>),
      Unlisted(kMenuHelpTopic16, HelpTopic<16>),     Unlisted(kMenuHelpTopic17, HelpTopic<17>),
      Unlisted(kMenuHelpTopic18, HelpTopic<18>),
  };
}

}  // namespace app
