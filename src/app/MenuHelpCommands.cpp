// The help items of the menu and the remark file (`EditWrite`): programs of
// the desktop started through the Process seam. On Linux the web browsers
// and the word processor of the original installation are stood in for by
// the desktop's opener (xdg-open, x-www-browser); the remark file opens in
// the program's editor (general text 5).
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/MenuCommands.h"
#include "macro/HelpFiles.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace app {
namespace {

constexpr const char* kFirstBrowser = "xdg-open";
constexpr const char* kSecondBrowser = "x-www-browser";
constexpr const char* kWordProcessor = "xdg-open";
constexpr const char* kWebAddressFile = "web.txt";  // the installation's product web address
constexpr int kNewsTopic = 10;

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

std::string Resolved(const Program& p, const std::string& name) {
  return p.plat.paths ? p.plat.paths->Resolve(name) : p.Path + "/" + name;
}

int Start(Program& p, const std::vector<std::string>& argv) {
  if (p.plat.process && p.plat.process->Start(argv)) return 1;
  Mess(p,
       Lang(p, "Nelze spustit program \"", "Cannot start the program \"") + argv.front() +
           Lang(p, "\" pro ", "\" for ") + argv.back(),
       Txt(p, 13));
  return 0;
}

int OpenFile(Program& p, const char* program, const std::string& path) {
  if (!Exists(path)) {
    Mess(p, Lang(p, "Soubor nebyl nalezen: ", "File not found: ") + path, Txt(p, 13));
    return 0;
  }
  return Start(p, {program, path});
}

std::string Trimmed(std::string s) {
  const char* blanks = " \t\r\n";
  s.erase(0, s.find_first_not_of(blanks));
  size_t end = s.find_last_not_of(blanks);
  s.erase(end == std::string::npos ? 0 : end + 1);
  return s;
}

// The first line of the address file; only a web address is accepted, so the
// file can never make the opener start something else.
std::optional<std::string> WebAddress(const Program& p) {
  std::optional<std::string> path = p.plat.paths ? p.plat.paths->FindResource(kWebAddressFile) : std::nullopt;
  if (!path) return std::nullopt;
  std::ifstream in(*path);
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  line = Trimmed(line);
  if (line.size() > 2000 || line.find_first_of(" \t") != std::string::npos) return std::nullopt;
  if (line.rfind("http://", 0) != 0 && line.rfind("https://", 0) != 0) return std::nullopt;
  return line;
}

}  // namespace

int OpenManualInBrowser(Program& p, bool second) {
  return OpenFile(p, second ? kSecondBrowser : kFirstBrowser,
                  Resolved(p, "\\manualy\\Tarvelin_manual\\tarvelin_manual_web.htm"));
}

int OpenWebSite(Program& p, bool second) {
  std::optional<std::string> address = WebAddress(p);
  if (!address) {
    Mess(p,
         std::string("Adresa stránek programu není nastavena (první řádek souboru ") + kWebAddressFile +
             " v adresáři programu, http:// nebo https://).",
         Txt(p, 13));
    return 0;
  }
  return Start(p, {second ? kSecondBrowser : kFirstBrowser, *address});
}

int OpenNews(Program& p) {
  std::optional<std::string> path = macro::FindHelpFile(p, kNewsTopic);
  return OpenFile(p, kWordProcessor, path ? *path : Resolved(p, macro::HelpFileName(kNewsTopic)));
}

int OpenManualDocument(Program& p) {
  return OpenFile(p, kWordProcessor, Resolved(p, "\\manualy\\Tarvelin_manual\\tarvelin_manual.doc"));
}

std::string RemarkFileText(const std::string& comment) {
  const std::string end = "\n\r";
  return " Tarvelin REMARK FILE --> :  " + end + end + comment + std::string(44, '_') + end + end;
}

int EditWrite(Program& p) {
  const std::string folder = store::PathFromName(store::FieldText(p.WG.LastWaveFile));
  const std::string path = Resolved(p, folder + "\\REMARK.TXT");
  if (!Exists(path)) {
    std::ofstream out(path, std::ios::binary);
    out << RemarkFileText(store::FieldText(p.HGW.Comment));
    out.close();
    if (!out) {
      Mess(p, Lang(p, "Nelze vytvořit poznámkový soubor ", "Cannot create the remark file ") + path,
           Txt(p, 13));
      return 0;
    }
    Mess(p, Lang(p, "Vytvořen poznámkový soubor REMARK.TXT : ", "Remark file REMARK.TXT created: ") + path,
         Txt(p, 11));
  }
  const std::string editor = Trimmed(Txt(p, 5));
  if (editor.empty()) {
    Mess(
        p,
        Lang(p, "Není nastaven editor (obecný text 5) pro ", "No editor is set (general text 5) for ") + path,
        Txt(p, 13));
    return 0;
  }
  return Start(p, {editor, path});
}

}  // namespace app
