#include "app/MenuTable.h"

#include "state/Program.h"

namespace app {
namespace {

MenuNode Item(int id, const char* label) {
  MenuNode n;
  n.id = id;
  n.label = label;
  return n;
}

// Items whose operation this build lacks: shown, but greyed.
MenuNode Greyed(int id, const char* label) {
  MenuNode n = Item(id, label);
  n.greyed = true;
  return n;
}

MenuNode Checkable(int id, const char* label) {
  MenuNode n = Item(id, label);
  n.checkable = true;
  return n;
}

MenuNode Separator() {
  MenuNode n;
  n.kind = MenuKind::Separator;
  return n;
}

MenuNode Label(const char* label) {
  MenuNode n;
  n.kind = MenuKind::Label;
  n.label = label;
  return n;
}

MenuNode Submenu(const char* label, std::vector<MenuNode> children) {
  MenuNode n;
  n.kind = MenuKind::Submenu;
  n.label = label;
  n.children = std::move(children);
  return n;
}

MenuNode FileMenu() {
  return Submenu("&Soubor",
                 {
                     Item(150, "Otevřít...  čt&i vlnu (F3,RW)"),
                     Item(312, "Otevřít...  &ASCII formát (textové sloupce) "),
                     Item(374, "Otevřít...   binární celočíselný (INTEGER) formát "),
                     Item(391, "Otevřít...  WAV formát - zvukový záznam "),
                     Separator(),
                     Item(366, "&Modifikace - provést (MODIFY NAME.TXT)"),
                     Item(365, "Nastavit...  parametrický soubor pro modifikaci (podadresář MODIFY)"),
                     Item(271, "Datová konve&rze - původní externí program"),
                     Separator(),
                     Item(151, "&Uložit jako...  vlnu (F2,WW)"),
                     Item(395, "Uložit jako...  ASCII formát (text. sloupce, hlavička, výběr) "),
                     Item(399, "Uložit jako...  ASCII formát (text. sloupce, všechno bez volby) "),
                     Separator(),
                     Item(152, "Čti &měření"),
                     Item(153, "U&lož měření (F5,WM)"),
                     Separator(),
                     Item(166, "Čti &nastavení (RJOB)"),
                     Item(167, "Ulož nasta&vení (WJOB)"),
                     Item(174, "Ulož nastavení a &data do pracovního souboru"),
                     Separator(),
                     Greyed(318, "&Tisk...  jednoho grafu"),
                     Greyed(320, "Tisk...  více &grafů současně"),
                     Separator(),
                     Item(279, "Nastav &paměť (MEMSIZE)"),
                     Separator(),
                     Item(155, "&Konec    (F9)"),
                 });
}

// The limits of one store; the waveform store has more of them.
MenuNode LimitsMenu(bool w) {
  std::vector<MenuNode> items = {
      Item(w ? 261 : 266, "&Levý bod"),
      Item(w ? 262 : 267, "&Pravý bod"),
      Item(w ? 263 : 268, "&Horní hodnota"),
      Item(w ? 264 : 269, "&Dolní hodnota"),
      Item(w ? 265 : 270, "&Nastav limity v oknech"),
  };
  if (w) items.push_back(Item(316, "Přečti limity z &oken"));
  items.push_back(Separator());
  items.push_back(Item(w ? 284 : 285, w ? "Přepiš &vlnu v paměti" : "Přepiš &měření v paměti"));
  if (w) {
    items.push_back(Separator());
    items.push_back(Item(397, "Levý,pravý bod, nastavení limitů : D, L "));
    items.push_back(Item(398, "Levý,pravý bod, nastavení limitů, překládání  "));
  }
  return Submenu(w ? "L&imity vlny" : "Li&mity měření", std::move(items));
}

MenuNode DisplayMenu() {
  return Submenu("&Zobraz",
                 {
                     Item(156, "&Otevři okna (DW)"),
                     Item(222, "&Zavři okna (UNDW)"),
                     Item(172, "&Komentář  (COMW)"),
                     Greyed(171, "&Horké klávesy "),
                     Item(169, "&Nuluj (WBZERO)"),
                     LimitsMenu(true),
                     Separator(),
                     Label("POMALÉ  M Ě Ř E N Í :"),
                     Item(157, "&Otevři okna (DM)"),
                     Item(223, "&Zavři okna (UNDM)"),
                     Item(173, "&Komentář  (COMM)"),
                     Greyed(170, "&Horké klávesy "),
                     Item(168, "&Nuluj (MBZERO)"),
                     LimitsMenu(false),
                     Separator(),
                     Item(294, "&Přesuň měření->vlna"),
                     Item(302, "Napolohuj &grafická okna"),
                     Item(260, "St&atistika  (STAT)"),
                     Item(306, "Statistika mezi ve&rt. kurzory"),
                     Greyed(319, "Zo&braz matici"),
                     Separator(),
                     Submenu("&Typ písma - stupnice v graf. oknech",
                             {
                                 // Face, weight and size in the font dialog; then the cell, item by item.
                                 Item(241, "&Typ písma - stupnice v graf. oknech"),
                                 Separator(),
                                 Item(242, "&Výška písma stupnice"),
                                 Item(243, "Šíř&ka písma stupnice"),
                                 Checkable(244, "&Pevné písmo stupnice"),
                                 Item(245, "Výška písma &textu"),
                                 Item(246, "Šířka písma te&xtu"),
                             }),
                     Separator(),
                     Checkable(211, "&Simulace  (SIMON,SIMOFF)"),
                 });
}

MenuNode MacroMenu() {
  return Submenu("&Makro", {
                               Item(159, "&Proveď  (GOMC)"),
                               Item(161, "&Vytvoř,edituj (EDMC)"),
                               Item(160, "&Kontrola (GOIM)"),
                           });
}

// Store ⊕ file algebra of one store.
MenuNode AlgebraMenu(bool w) {
  if (w)
    return Submenu("&Vlna {+-*/} soubor (všechny kanály)",
                   {
                       Item(175, "   {+} &Plus (WPLUS)"),
                       Item(176, "   {-} &Mínus (WMINUS)"),
                       Item(280, "   {*} &Krát"),
                       Item(281, "   {/} &Děleno "),
                       Separator(),
                       Item(177, "   W&LCD*vlna {+} WLCF*soubor  (WCPLUS)"),
                       Item(178, "   WL&CD*vlna {-} WLCF*soubor   (WCMINUS)"),
                       Item(181, "   Nastav &WLCD   (WLCD)"),
                       Item(182, "   Nastav WLC&F   (WLCF)"),
                       Item(185, "   &Spojení : WLCD WLCF WCPLUS"),
                       Item(184, "   Sp&ojení : WLCD WLCF WCMINUS"),
                       Separator(),
                       Item(179, "   W&YK * vlna   (WYK)"),
                       Item(180, "   WYP + &vlna   (WYP)"),
                   });
  return Submenu("M&ěření {+-*/} soubor", {
                                              Item(186, "   {+} &Plus (MPLUS)"),
                                              Item(187, "   {-} &Mínus (MMINUS)"),
                                              Item(282, "   {*} &Krát"),
                                              Item(283, "   {/} &Děleno "),
                                              Separator(),
                                              Item(188, "   M&LCD*měření {+} MLCF*soubor  (MCPLUS)"),
                                              Item(189, "   ML&CD*měření {-} MLCF*soubor   (MCMINUS)"),
                                              Item(192, "   Nastav &MLCD   (MLCD)"),
                                              Item(193, "   Nastav MLC&F   (MLCF)"),
                                              Item(196, "   &Spojení : MLCD MLCF MCPLUS"),
                                              Item(195, "   Sp&ojení : MLCD MLCF MCMINUS"),
                                              Separator(),
                                              Item(190, "   M&YK * měření   (MYK)"),
                                              Item(191, "   MYP + mě&ření   (MYP)"),
                                          });
}

MenuNode DataMenu() {
  return Submenu("M&anipulace s daty",
                 {
                     AlgebraMenu(true),
                     AlgebraMenu(false),
                     Separator(),
                     Submenu("&Redukce dat",
                             {
                                 Item(401, "&Střední hodnota"),
                                 Item(402, "Směrodatná odchylka"),
                                 Item(403, "&Maximum"),
                                 Item(404, "Minimum"),
                                 Item(405, "&Rozkmit"),
                                 Item(406, "&Efektivní hodnota"),
                             }),
                     Item(411, "&Doplnění nulami na délku moc. dvou (256,512, ...) (PROLONG_2)"),
                     Item(412, "&Doplnění posledním vzrokem na délku moc. dvou (256,512, ...)(PROLONGD_2) "),
                     Item(386, "&Doplnění nulami na dvojnásobek (DOUBLE)"),
                     Item(287, "&Decimace - vypuštení každého 2. vzorku (WDECIM)"),
                     Item(293, "Kanál A do/z d&B (20log)"),
                     Separator(),
                     Item(290, "&Sečti kanály A+B->A (CHWADD A,B)"),
                     Item(291, "&Odečti kanály  A-B->A  (CHWSUB A,B)"),
                     Item(314, "Děl&ení A/B->A (CHWDIV A,B)"),
                     Item(315, "&Násobení  A*B->A (CHWMPY A,B) "),
                     Item(288, "&Kopíruj A -> B (CHWCOPY A,B) "),
                     Item(289, "&Zruš kanál A (CHWDEL A)"),
                     Item(292, "Č&ti A z disku a ulož do B (CHWREAD A,B,Jmeno)"),
                     Item(414, "Vícenásobné načítání kanálů z diskových souborů"),
                     Item(396, "Spojení dvou souborů pamět-disk"),
                     Separator(),
                     Item(310, "&Funkce"),
                 });
}

MenuNode SettingsMenu() {
  return Submenu("&Nastav", {
                                Item(307, "&Měření (AS dialog)"),
                                Item(308, "&Kanály (MM dialog)"),
                                Item(309, "&Karty (BS dialog) - "),
                            });
}

MenuNode HelpMenu() {
  return Submenu("&Pomoc", {
                               Item(311, "&EXPLORER: Tarvelin - uživatelský manuál"),
                               Item(394, "&NETSCAPE: Tarvelin - uživatelský manuál"),
                               Separator(),
                               Item(392, "&WWW: stránky programu Tarvelin"),
                               Item(393, "WWW: stránky programu Tarvelin (&druhý prohlížeč)"),
                               Separator(),
                               Item(300, "&NEWS - novinky v NEWS.RTF"),
                           });
}

std::vector<MenuNode> BuildTree() {
  return {
      FileMenu(),       DisplayMenu(),  MacroMenu(),        DataMenu(), Item(197, "Q&W"),
      Item(198, "&QM"), SettingsMenu(), Item(154, "&Edit"), HelpMenu(),
  };
}

void Collect(const std::vector<MenuNode>& nodes, std::vector<const MenuNode*>& out) {
  for (const MenuNode& n : nodes) {
    if (n.kind == MenuKind::Item) out.push_back(&n);
    if (n.kind == MenuKind::Submenu) Collect(n.children, out);
  }
}

const MenuNode* FindParent(const std::vector<MenuNode>& nodes, const MenuNode* parent, int id) {
  for (const MenuNode& n : nodes) {
    if (n.kind == MenuKind::Item && n.id == id) return parent;
    if (n.kind == MenuKind::Submenu)
      if (const MenuNode* found = FindParent(n.children, &n, id)) return found;
  }
  return nullptr;
}

}  // namespace

const std::vector<MenuNode>& MainMenuTree() {
  static const std::vector<MenuNode> tree = BuildTree();
  return tree;
}

std::vector<const MenuNode*> MenuItems() {
  std::vector<const MenuNode*> out;
  Collect(MainMenuTree(), out);
  return out;
}

const MenuNode* FindMenuItem(int id) {
  for (const MenuNode* n : MenuItems())
    if (n->id == id) return n;
  return nullptr;
}

const MenuNode* SubmenuOf(int id) { return FindParent(MainMenuTree(), nullptr, id); }

bool MenuItemChecked(const Program& p, int id) {
  switch (id) {
    case 211:
      return p.DG.Simulation != 0;
    case 244:
      return p.DG.FixedScaleFont != 0;
    default:
      return false;
  }
}

}  // namespace app
