#include "macro/HelpFiles.h"

#include <fstream>
#include <iterator>

#include "state/Messages.h"
#include "state/Program.h"

namespace macro {
namespace {

constexpr size_t kMaxHelpBytes = 1 << 20;

}  // namespace

const char* HelpFileName(int number) {
  switch (number) {
    case 0:
      return "grp1help.txt";
    case 1:
      return "grp2help.txt";
    case 2:
      return "mainhelp.txt";
    case 3:
      return "dialhelp.txt";
    case 4:
      return "cmd1help.txt";
    case 5:
      return "cmd2help.txt";
    case 6:
      return "cmd3help.txt";
    case 7:
      return "cmd4help.txt";
    case 8:
      return "cmd5help.txt";
    case 9:
      return "readme.txt";
    case 10:
      return "news.rtf";
    case 11:
      return "terminy.txt";
    case 16:
      return "ex1help.txt";
    case 17:
      return "ex2help.txt";
    case 18:
      return "ex3help.txt";
    default:
      return nullptr;
  }
}

std::optional<std::string> FindHelpFile(const state::Program& p, int number) {
  const char* name = HelpFileName(number);
  if (!name || !p.plat.paths) return std::nullopt;
  // A copy in the program folder first, then the installed help folder.
  if (auto found = p.plat.paths->FindResource(name)) return found;
  return p.plat.paths->FindResource(std::string("help/") + name);
}

int LoadHelpText(state::Program& p, int number, std::string& text) {
  const char* name = HelpFileName(number);
  std::optional<std::string> path = FindHelpFile(p, number);
  std::ifstream in;
  if (path) in.open(*path, std::ios::binary);
  if (!in.is_open()) {
    state::Mess(p,
                state::Lang(p, "Soubor nápovědy nebyl nalezen: ", "Help file not found: ") +
                    (name ? std::string(name) : std::to_string(number)),
                state::Txt(p, 13));
    return 0;
  }
  std::string raw;
  raw.resize(kMaxHelpBytes);
  in.read(raw.data(), std::streamsize(raw.size()));
  raw.resize(size_t(in.gcount()));
  text.clear();
  text.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    text += raw[i];
  }
  return 1;
}

int ShowHelpText(state::Program& p, int number) {
  std::string text;
  if (!LoadHelpText(p, number, text)) return 0;
  p.ui().LongMessage(text, state::Txt(p, 23));
  return 1;
}

}  // namespace macro
