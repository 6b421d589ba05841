#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/MenuTable.h"
#include "support/TestSupport.h"

namespace {

using app::MenuItems;
using app::MenuKind;
using app::MenuNode;

// The items whose labels are fixed, with those labels.
const std::vector<std::pair<int, std::string>> kDescribed = {
    {150, "Otevřít...  čt&i vlnu (F3,RW)"},
    {312, "Otevřít...  &ASCII formát (textové sloupce) "},
    {366, "&Modifikace - provést (MODIFY NAME.TXT)"},
    {365, "Nastavit...  parametrický soubor pro modifikaci (podadresář MODIFY)"},
    {374, "Otevřít...   binární celočíselný (INTEGER) formát "},
    {391, "Otevřít...  WAV formát - zvukový záznam "},
    {271, "Datová konve&rze - původní externí program"},
    {395, "Uložit jako...  ASCII formát (text. sloupce, hlavička, výběr) "},
    {399, "Uložit jako...  ASCII formát (text. sloupce, všechno bez volby) "},
    {151, "&Uložit jako...  vlnu (F2,WW)"},
    {152, "Čti &měření"},
    {153, "U&lož měření (F5,WM)"},
    {166, "Čti &nastavení (RJOB)"},
    {167, "Ulož nasta&vení (WJOB)"},
    {174, "Ulož nastavení a &data do pracovního souboru"},
    {318, "&Tisk...  jednoho grafu"},
    {320, "Tisk...  více &grafů současně"},
    {279, "Nastav &paměť (MEMSIZE)"},
    {155, "&Konec    (F9)"},
    {156, "&Otevři okna (DW)"},
    {222, "&Zavři okna (UNDW)"},
    {172, "&Komentář  (COMW)"},
    {171, "&Horké klávesy "},
    {169, "&Nuluj (WBZERO)"},
    {261, "&Levý bod"},
    {262, "&Pravý bod"},
    {263, "&Horní hodnota"},
    {264, "&Dolní hodnota"},
    {265, "&Nastav limity v oknech"},
    {266, "&Levý bod"},
    {267, "&Pravý bod"},
    {268, "&Horní hodnota"},
    {269, "&Dolní hodnota"},
    {270, "&Nastav limity v oknech"},
    {316, "Přečti limity z &oken"},
    {284, "Přepiš &vlnu v paměti"},
    {285, "Přepiš &měření v paměti"},
    {397, "Levý,pravý bod, nastavení limitů : D, L "},
    {398, "Levý,pravý bod, nastavení limitů, překládání  "},
    {294, "&Přesuň měření->vlna"},
    {302, "Napolohuj &grafická okna"},
    {260, "St&atistika  (STAT)"},
    {306, "Statistika mezi ve&rt. kurzory"},
    {319, "Zo&braz matici"},
    {241, "&Typ písma - stupnice v graf. oknech"},
    {211, "&Simulace  (SIMON,SIMOFF)"},
    {159, "&Proveď  (GOMC)"},
    {161, "&Vytvoř,edituj (EDMC)"},
    {160, "&Kontrola (GOIM)"},
    {175, "   {+} &Plus (WPLUS)"},
    {176, "   {-} &Mínus (WMINUS)"},
    {280, "   {*} &Krát"},
    {281, "   {/} &Děleno "},
    {177, "   W&LCD*vlna {+} WLCF*soubor  (WCPLUS)"},
    {178, "   WL&CD*vlna {-} WLCF*soubor   (WCMINUS)"},
    {181, "   Nastav &WLCD   (WLCD)"},
    {182, "   Nastav WLC&F   (WLCF)"},
    {185, "   &Spojení : WLCD WLCF WCPLUS"},
    {184, "   Sp&ojení : WLCD WLCF WCMINUS"},
    {179, "   W&YK * vlna   (WYK)"},
    {180, "   WYP + &vlna   (WYP)"},
    {401, "&Střední hodnota"},
    {402, "Směrodatná odchylka"},
    {403, "&Maximum"},
    {404, "Minimum"},
    {405, "&Rozkmit"},
    {406, "&Efektivní hodnota"},
    {411, "&Doplnění nulami na délku moc. dvou (256,512, ...) (PROLONG_2)"},
    {412, "&Doplnění posledním vzrokem na délku moc. dvou (256,512, ...)(PROLONGD_2) "},
    {386, "&Doplnění nulami na dvojnásobek (DOUBLE)"},
    {287, "&Decimace - vypuštení každého 2. vzorku (WDECIM)"},
    {293, "Kanál A do/z d&B (20log)"},
    {290, "&Sečti kanály A+B->A (CHWADD A,B)"},
    {291, "&Odečti kanály  A-B->A  (CHWSUB A,B)"},
    {314, "Děl&ení A/B->A (CHWDIV A,B)"},
    {315, "&Násobení  A*B->A (CHWMPY A,B) "},
    {288, "&Kopíruj A -> B (CHWCOPY A,B) "},
    {289, "&Zruš kanál A (CHWDEL A)"},
    {292, "Č&ti A z disku a ulož do B (CHWREAD A,B,Jmeno)"},
    {414, "Vícenásobné načítání kanálů z diskových souborů"},
    {396, "Spojení dvou souborů pamět-disk"},
    {310, "&Funkce"},
    {197, "Q&W"},
    {198, "&QM"},
    {307, "&Měření (AS dialog)"},
    {308, "&Kanály (MM dialog)"},
    {309, "&Karty (BS dialog) - "},
    {154, "&Edit"},
    {311, "&EXPLORER: Tarvelin - uživatelský manuál"},
    {394, "&NETSCAPE: Tarvelin - uživatelský manuál"},
    {300, "&NEWS - novinky v NEWS.RTF"},
};

// The other items, whose labels follow their waveform counterparts.
const std::vector<int> kUnlabelled = {157, 223, 173, 170, 168, 186, 187, 282, 283, 188, 189, 192,
                                      193, 196, 195, 190, 191, 242, 243, 244, 245, 246, 392, 393};

TEST(MenuTable, EveryDescribedItemIsThereOnceWithItsLabel) {
  std::set<int> ids;
  for (const MenuNode* n : MenuItems()) {
    EXPECT_TRUE(ids.insert(n->id).second) << "duplicate ID " << n->id;
    EXPECT_GT(n->id, 0);
    EXPECT_FALSE(n->label.empty()) << n->id;
  }
  for (const auto& [id, label] : kDescribed) {
    const MenuNode* n = app::FindMenuItem(id);
    ASSERT_NE(n, nullptr) << id;
    EXPECT_EQ(n->label, label) << id;
  }
  for (int id : kUnlabelled) EXPECT_NE(app::FindMenuItem(id), nullptr) << id;
  EXPECT_EQ(ids.size(), kDescribed.size() + kUnlabelled.size());
  // Commands without a menu item.
  for (int id : {164, 165, 278, 212, 158, 390, 272, 301, 273, 274, 297, 295,
                 296, 276, 298, 299, 277, 303, 304, 305, 200, 203, 215})
    EXPECT_EQ(app::FindMenuItem(id), nullptr) << id;
}

TEST(MenuTable, GreyedItemsAreExactlyTheOperationsNotBuiltAndTwoItemsCarryCheckMarks) {
  std::set<int> greyed, checkable;
  for (const MenuNode* n : MenuItems()) {
    if (n->greyed) greyed.insert(n->id);
    if (n->checkable) checkable.insert(n->id);
  }
  // Printing, the matrix display and the hot-key dialogs.
  EXPECT_EQ(greyed, (std::set<int>{318, 320, 319, 171, 170}));
  EXPECT_EQ(checkable, (std::set<int>{211, 244}));

  testing_support::TestEnv env(1024, false);
  env.prog.DG.Simulation = 1;
  env.prog.DG.FixedScaleFont = 0;
  EXPECT_TRUE(app::MenuItemChecked(env.prog, 211));
  EXPECT_FALSE(app::MenuItemChecked(env.prog, 244));
  env.prog.DG.Simulation = 0;
  env.prog.DG.FixedScaleFont = 1;
  EXPECT_FALSE(app::MenuItemChecked(env.prog, 211));
  EXPECT_TRUE(app::MenuItemChecked(env.prog, 244));
  EXPECT_FALSE(app::MenuItemChecked(env.prog, 150));
}

TEST(MenuTable, TopLevelOrderAndTheSubmenusCommandsReopen) {
  std::vector<std::string> top;
  for (const MenuNode& n : app::MainMenuTree()) top.push_back(n.label);
  EXPECT_EQ(top, (std::vector<std::string>{"&Soubor", "&Zobraz", "&Makro", "M&anipulace s daty", "Q&W", "&QM",
                                           "&Nastav", "&Edit", "&Pomoc"}));

  // The limits of each store share one submenu; the font items another.
  const MenuNode* w = app::SubmenuOf(app::kLimitsSubmenu);
  ASSERT_NE(w, nullptr);
  for (int id : {261, 262, 263, 264, 265, 316, 284, 397, 398}) EXPECT_EQ(app::SubmenuOf(id), w) << id;
  const MenuNode* m = app::SubmenuOf(266);
  ASSERT_NE(m, nullptr);
  EXPECT_NE(m, w);
  for (int id : {267, 268, 269, 270, 285}) EXPECT_EQ(app::SubmenuOf(id), m) << id;
  const MenuNode* font = app::SubmenuOf(app::kFontSubmenu);
  ASSERT_NE(font, nullptr);
  for (int id : {241, 243, 244, 245, 246}) EXPECT_EQ(app::SubmenuOf(id), font) << id;
  EXPECT_EQ(app::SubmenuOf(197), nullptr);  // a top-level item
  // The measurement group of the display menu is introduced by its label.
  bool label = false;
  for (const MenuNode& n : app::MainMenuTree()[1].children)
    label = label || (n.kind == MenuKind::Label && n.label == "POMALÉ  M Ě Ř E N Í :");
  EXPECT_TRUE(label);
}

}  // namespace
