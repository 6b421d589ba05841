#include "macro/MacroEditor.h"

#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "files/DataFileFormat.h"
#include "files/FileArguments.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/FixedText.h"

namespace macro {
namespace {

constexpr char kExtension[] = ".MAC";

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The extension is forced to ".MAC"; one that differs only in case is kept,
// since on Linux "x.mac" and "x.MAC" are different files.
std::string WithMacroExtension(const std::string& path) {
  size_t slash = path.find_last_of('/');
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + kExtension;
  if (SameIgnoringCase(path.substr(dot), kExtension)) return path;
  return path.substr(0, dot) + kExtension;
}

std::string Trimmed(std::string s) {
  size_t b = s.find_first_not_of(" \t");
  size_t e = s.find_last_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

}  // namespace

int Edit(state::Program& p, int kind) {
  const files::FileArgument& a = *files::FindFileArgument(kind ? "EDMC" : "ED");
  platform::FileDialogRequest request;
  request.title = state::Txt(p, a.title);
  request.filter = state::Txt(p, a.filter);
  request.folder = files::ResolveDataName(p, a.folder);
  request.mask = files::ArgumentMask(p, a);
  request.save = a.save;  // a new name creates a new macro
  if (kind) {
    std::string remembered = store::FieldText(p.WG.MacroFile);
    size_t slash = remembered.find_last_of("\\/");
    request.name = slash == std::string::npos ? remembered : remembered.substr(slash + 1);
  }
  std::optional<std::string> chosen = p.ui().ChooseFile(request);
  if (!chosen || chosen->empty()) return -1;
  // A bare (scripted) answer is a macro of the macro folder.
  const bool bare = chosen->find_first_of("\\/") == std::string::npos;
  const std::string path = WithMacroExtension(bare ? files::ResolveDataName(p, a.folder + *chosen) : *chosen);
  if (kind) store::CopyText(p.WG.MacroFile, path);

  const std::string editor = Trimmed(state::Txt(p, 5));
  if (editor.empty() || !p.plat.process || !p.plat.process->Start({editor, path})) {
    state::Mess(p,
                state::Lang(p, "Nelze spustit editor \"", "Cannot start the editor \"") + editor +
                    state::Lang(p, "\" pro ", "\" for ") + path,
                state::Txt(p, 13));
    return 0;
  }
  return 1;
}

}  // namespace macro
