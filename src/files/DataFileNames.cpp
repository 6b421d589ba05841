#include "files/DataFileNames.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "state/GraphWindows.h"
#include "state/Program.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace files {
namespace {

constexpr size_t kMacroNameSize = 12;

// The selected name field of the store; `W_NameIndx` outside -1..15 is reset.
char* MacroNameField(state::Program& p, store::Store store) {
  if (!store::IsW(store)) return p.M_Name;
  if (p.W_NameIndx < -1 || p.W_NameIndx > 15) p.W_NameIndx = -1;
  if (p.W_NameIndx < 0 || p.W_Nam_N.size() < 16 * kMacroNameSize) return p.W_Name;
  return p.W_Nam_N.get() + size_t(p.W_NameIndx) * kMacroNameSize;
}

int16_t& Counter(state::Program& p, store::Store store) {
  return store::IsW(store) ? p.W_NameInc[p.W_NameIndx + 1] : p.M_NameInc;
}

// Up to 12 characters, zero-filled: a full 8.3 name has no terminator.
void StoreName(char* field, const std::string& name) {
  std::memset(field, 0, kMacroNameSize);
  std::memcpy(field, name.data(), std::min(name.size(), kMacroNameSize));
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Whether a "." stands among the last four characters, not looking past a separator.
bool HasExtension(const std::string& name) {
  for (size_t i = 0; i < 4 && i < name.size(); ++i) {
    char c = name[name.size() - 1 - i];
    if (c == '.') return true;
    if (IsSeparator(c)) return false;
  }
  return false;
}

}  // namespace

void NewName(state::Program& p, const std::string& name, store::Store store) {
  char* field = store::IsW(store) ? p.DW_Name : p.DM_Name;
  store::ShortPath(100, field, sizeof p.DW_Name, name);
  // The remark file, the column export and the F2/F3 messages of the graph
  // windows work on the last waveform file read or written.
  // A name too long for the field is not kept (a cut name would name another file).
  if (store::IsW(store) && name.size() < sizeof p.WG.LastWaveFile) store::CopyText(p.WG.LastWaveFile, name);
  state::UpdateCaptions(p, store);
}

void NameDatum(state::Program& p) {
  platform::LocalTime t = p.plat.clock ? p.plat.clock->Now() : platform::LocalTime{};
  char year[16], rest[32];
  std::snprintf(year, sizeof year, "%4d_", t.year);
  std::snprintf(rest, sizeof rest, "%02d_%02d.%03d", t.month, t.day, t.hour * 10 + t.minute / 10);
  std::string name = std::string(year).substr(2) + rest;
  StoreName(p.W_Name, name);
  StoreName(p.M_Name, name);
}

std::string MacroName(const state::Program& p, store::Store store) {
  const char* field = store::IsW(store) ? p.W_Name : p.M_Name;
  if (store::IsW(store) && p.W_NameIndx >= 0 && p.W_NameIndx <= 15 && p.W_Nam_N.size() >= 16 * kMacroNameSize)
    field = p.W_Nam_N.get() + size_t(p.W_NameIndx) * kMacroNameSize;
  return store::FieldText(field, kMacroNameSize);
}

void SetMacroName(state::Program& p, store::Store store, const std::string& name) {
  StoreName(MacroNameField(p, store), name);
}

void NameInMacro(state::Program& p, store::Store store, bool set) {
  p.W_NameGo = 1;
  char* field = MacroNameField(p, store);
  int16_t& counter = Counter(p, store);
  const int limit = store::IsW(store) ? 9999 : 999;
  if (set) {
    std::string name = store::FieldText(p.DG.NameQueue);
    store::FrontSpaceOff(name);
    if (name.empty()) {
      name = store::IsW(store) ? "Wave_000.w" : "Meas_000.m";
    } else {
      name = name.substr(0, kMacroNameSize);
      store::ChangeExtension(name, store::IsW(store) ? ".w" : ".m");
    }
    StoreName(field, name);
    std::string digits = name.size() > 5 ? name.substr(5, 3) : std::string();
    int value = std::atoi(digits.c_str());
    counter = int16_t(value < 0 || value > limit ? 0 : value);
    return;
  }
  int next = counter + 1;
  if (next > limit || next < 0) next = 0;
  counter = int16_t(next);
  std::string name = store::FieldText(field, kMacroNameSize);
  size_t dot = name.find('.');
  if (dot == std::string::npos) dot = name.size();
  const std::string text = std::to_string(next);
  // Digits that would fall before the name's start are dropped.
  for (size_t i = 0; i < text.size() && i < dot; ++i) name[dot - 1 - i] = text[text.size() - 1 - i];
  StoreName(field, name);
}

void ImplicitNameUtil(state::Program& p) {
  std::string queue = store::FieldText(p.DG.NameQueue);
  store::CopyText(p.ImplicitName, queue.empty() ? std::string("noname.w") : queue);
}

int FileName(state::Program& p, const std::string& title, const std::string& filter, std::string& name,
             const std::string& mask, bool save, const std::string& initial) {
  std::string queue = store::FieldText(p.DG.NameQueue);
  store::FrontSpaceOff(queue);
  size_t cut = mask.size();
  while (cut > 0 && !IsSeparator(mask[cut - 1])) --cut;
  const std::string folder = mask.substr(0, cut);
  const std::string fileMask = mask.substr(cut);
  auto place = [&](const std::string& word) {
    bool hasFolder = word.find_first_of("\\/") != std::string::npos;
    return hasFolder || folder.empty() ? word : folder + word;
  };

  std::string chosen;
  if (queue.empty() || queue[0] == '?') {
    if (!queue.empty()) queue.erase(0, 1);
    store::CopyText(p.DG.NameQueue, queue);
    platform::FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.folder = p.plat.paths ? p.plat.paths->Resolve(folder.empty() ? "\\DATA\\" : folder) : folder;
    request.mask = fileMask;
    request.name = initial;
    request.save = save;
    std::optional<std::string> answer = p.ui().ChooseFile(request);
    if (!answer || answer->empty()) return 0;
    // A bare answer (a scripted one) belongs in the folder like a bare word.
    chosen = place(*answer);
  } else {
    size_t end = queue.find(' ');
    std::string word = queue.substr(0, end);
    queue = end == std::string::npos ? std::string() : queue.substr(end);
    store::CopyText(p.DG.NameQueue, queue);
    // Only the word "I" itself means the implicit name: "Input.w" is a file.
    chosen = word != "I" ? word : store::FieldText(p.ImplicitName);
    if (chosen.empty()) return 0;
    chosen = place(chosen);
  }
  // A mask such as "*.*" has no extension to give.
  const bool usable =
      fileMask.size() > 1 && fileMask[0] == '*' && fileMask.find_first_of("*?", 1) == std::string::npos;
  const std::string ext = usable ? fileMask.substr(1) : std::string();
  if (!HasExtension(chosen)) chosen += ext;
  name = chosen;
  return 1;
}

}  // namespace files
