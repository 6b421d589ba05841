#include "files/DataFileUser.h"

#include <sys/stat.h>

#include <optional>

#include "files/DataFileFormat.h"
#include "files/DataFileLink.h"
#include "files/DataFileNames.h"
#include "files/DataFileReader.h"
#include "files/DataFileWriter.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace files {
namespace {

char* ExtMask(state::Program& p, store::Store store) {
  return store::IsW(store) ? p.DG.WaveExtMask : p.DG.MeasExtMask;
}

std::optional<std::string> AskFile(state::Program& p, int title, int filter, store::Store store, bool save) {
  platform::FileDialogRequest request;
  request.title = state::Txt(p, title);
  request.filter = state::Txt(p, filter);
  request.folder = ResolveDataName(p, "\\DATA\\");
  request.mask = store::FieldText(ExtMask(p, store), 6);
  request.save = save;
  return p.ui().ChooseFile(request);
}

std::string InDataFolder(const state::Program& p, const std::string& name) {
  return p.Path + "\\DATA\\" + name;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// Remembers the file: its extension as the store's mask, its name in captions.
void Remember(state::Program& p, const std::string& name, store::Store store) {
  store::Extension(name, ExtMask(p, store), 6);
  NewName(p, name, store);
}

}  // namespace

int ReadDataFile(state::Program& p, const std::string& nameOrEmpty, store::Store store, bool accumulate) {
  if (!state::MemOK(p, store, true)) return 0;
  std::string name = nameOrEmpty;
  if (name.empty()) {
    // Reading always takes `W_Name`, never a slot.
    const std::string macroName = store::FieldText(store::IsW(store) ? p.W_Name : p.M_Name, 12);
    if (p.MacGoing && !macroName.empty()) {
      name = InDataFolder(p, macroName);
    } else {
      std::optional<std::string> chosen =
          AskFile(p, store::IsW(store) ? 499 : 501, store::IsW(store) ? 500 : 502, store, false);
      if (!chosen || chosen->empty()) return 0;
      name = *chosen;
    }
  }
  state::UnDisplayWave(p, store, -1);
  bool stopped = false;
  if (!ReadDataFileUtil(p, name, store, true, -1, -1, accumulate, &stopped)) {
    if (!stopped) state::MessT(p, 316, 13);
    return 0;
  }
  Remember(p, name, store);
  return 1;
}

void EditCommentBeforeSaving(state::Program& p, store::Store store) {
  if (p.MacGoing) return;
  store::Header_s& header = p.Header(store);
  std::string comment = store::FieldText(header.Comment);
  // The title names the store, so that Init. offers the store's own text.
  if (p.ui().EditComment(comment, store::IsW(store) ? "W" : "M")) store::CopyText(header.Comment, comment);
}

int WriteDataFile(state::Program& p, const std::string& nameOrEmpty, store::Store store, int channel) {
  if (!state::MemOK(p, store, true)) return 0;
  EditCommentBeforeSaving(p, store);
  std::string name = nameOrEmpty;
  if (name.empty()) {
    const bool macroNames = store::IsW(store)
                                ? p.MacGoing && p.W_NameGo && p.W_NameIndx >= -1 && p.W_NameIndx <= 15
                                : p.MacGoing != 0;
    // A slot name after a timed-out input wait means: this record is not kept.
    if (store::IsW(store) && macroNames && p.PWait == -2 && p.W_NameIndx >= 0) return 1;
    const std::string macroName = macroNames ? MacroName(p, store) : std::string();
    if (!macroName.empty()) {
      name = InDataFolder(p, macroName);
    } else {
      std::optional<std::string> chosen =
          AskFile(p, store::IsW(store) ? 503 : 504, store::IsW(store) ? 500 : 502, store, true);
      if (!chosen || chosen->empty()) return 0;
      name = *chosen;
    }
  }
  if (!p.MacGoing && Exists(ResolveDataName(p, name)) && state::AskT(p, 318, 15) != platform::Answer::Yes)
    return 0;
  bool stopped = false;
  if (!WriteDataFileUtil(p, name, store, channel, &stopped)) {
    // An empty channel or a stop has said so already.
    const bool emptyChannel =
        channel >= 1 && channel <= store::kChannels && !p.Header(store).ChannelOn[channel - 1];
    if (!emptyChannel && !stopped) state::MessT(p, 319, 13);
    return 0;
  }
  Remember(p, name, store);
  return 1;
}

int WaveformLink(state::Program& p) {
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  if (!p.MacGoing && state::AskT(p, 1320, 15) != platform::Answer::Yes) return 0;
  std::optional<std::string> chosen = AskFile(p, 499, 500, store::Store::W, false);
  if (!chosen || chosen->empty()) return 0;
  const bool wereOpen = state::AnyWindowOpen(p, store::Store::W);
  state::UnDisplayWave(p, store::Store::W, -1);
  bool stopped = false;
  const int ok = WaveformLinkUtil(p, *chosen, store::Store::W, &stopped);
  // The store is unchanged after a failure, so its windows come back either way.
  if (wereOpen) state::DisplayWave(p, store::Store::W, -1);
  if (!ok && !stopped) state::MessT(p, 1322, 14);
  return ok;
}

}  // namespace files
