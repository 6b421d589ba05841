// Executors of the file and memory keywords.
#include <cstdio>
#include <optional>
#include <string>

#include "files/Converter.h"
#include "files/DataFileFormat.h"
#include "files/DataFileNames.h"
#include "files/DataFileUser.h"
#include "files/FileArguments.h"
#include "files/JobUser.h"
#include "files/ModifyFiles.h"
#include "files/TextExport.h"
#include "macro/CommandBuffer.h"
#include "macro/Executors.h"
#include "macro/Prompts.h"
#include "ops/StoreFileAlgebra.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace macro {
namespace {

// Whether the data file operation will take the store's macro name by itself
// when it is given no name (as `ReadDataFile` / `WriteDataFile` decide).
bool MacroNameApplies(const state::Program& p, store::Store store, bool save) {
  if (!p.MacGoing) return false;
  if (save && store::IsW(store)) {
    if (!p.W_NameGo || p.W_NameIndx < -1 || p.W_NameIndx > 15) return false;
    // A slot name after a timed-out input wait: the writer skips the record.
    if (p.PWait == -2 && p.W_NameIndx >= 0) return true;
  }
  return !files::MacroName(p, store).empty();
}

// The file-name argument by the keyword's rule (`TakeFileArgument`). An
// empty name answered with 1 leaves the choice of the macro name to the
// operation.
int DataFileArgument(state::Program& p, store::Store store, bool save, std::string_view keyword,
                     std::string& name) {
  std::string queue = QueueText(p);
  store::FrontSpaceOff(queue);
  SetQueue(p, queue);
  if (queue.empty() && MacroNameApplies(p, store, save)) {
    name.clear();
    return kDone;
  }
  return files::TakeFileArgument(p, keyword, name) ? kDone : NoFileChosen(p, keyword);
}

}  // namespace

int ReadDataCommand(state::Program& p, store::Store store, bool accumulate, std::string_view keyword) {
  std::string name;
  int got = DataFileArgument(p, store, false, keyword, name);
  if (got != kDone) return got;
  int ok = files::ReadDataFile(p, name, store, accumulate);
  // The reader closed the store's windows; they show the new record.
  state::DisplayWave(p, store, -1);
  return ok ? kDone : kFailed;
}

int WriteDataCommand(state::Program& p, store::Store store, std::string_view keyword) {
  std::string name;
  int got = DataFileArgument(p, store, true, keyword, name);
  if (got != kDone) return got;
  return files::WriteDataFile(p, name, store, 0) ? kDone : kFailed;
}

int WriteChannelCommand(state::Program& p, store::Store store, std::string_view keyword) {
  int32_t channel = 1;
  if (!GetChannel(p, channel, 1, 128, state::Txt(p, 173), keyword)) return kFailed;
  // The line names no file: a word left in the buffer is not one.
  SetQueue(p, "");
  std::string name;
  int got = DataFileArgument(p, store, true, keyword, name);
  if (got != kDone) return got;
  return files::WriteDataFile(p, name, store, channel) ? kDone : kFailed;
}

int JobCommand(state::Program& p, bool write, int onlyJob, std::string_view keyword) {
  std::string name;
  if (!files::TakeJobName(p, keyword, name)) return NoFileChosen(p, keyword);
  int ok = write ? files::WriteJobFile(p, onlyJob, name) : files::ReadJobFile(p, onlyJob, name);
  return ok ? kDone : kFailed;
}

// Always the keyword's dialog: a word on the line never deletes a file.
int DeleteFileCommand(state::Program& p, std::string_view keyword) {
  const files::FileArgument* a = files::FindFileArgument(keyword);
  if (!a) return kStatementFailed;
  platform::FileDialogRequest request;
  request.title = state::Txt(p, a->title);
  request.filter = state::Txt(p, a->filter);
  request.folder = files::ResolveDataName(p, a->folder);
  request.mask = files::ArgumentMask(p, *a);
  SetQueue(p, "");
  std::optional<std::string> chosen = p.ui().ChooseFile(request);
  if (!chosen || chosen->empty()) return NoFileChosen(p, keyword);
  const bool bare = chosen->find_first_of("\\/") == std::string::npos;
  const std::string path = files::ResolveDataName(p, bare ? a->folder + *chosen : *chosen);
  return std::remove(path.c_str()) == 0 ? kDone : kFailed;
}

int StoreFileAlgebraCommand(state::Program& p, store::Store store, int operation, std::string_view keyword) {
  // These always ask when the line names no file.
  std::string queue = QueueText(p);
  store::FrontSpaceOff(queue);
  if (queue.empty()) SetQueue(p, "?");
  std::string name;
  if (!files::TakeFileArgument(p, keyword, name)) return NoFileChosen(p, keyword);
  if (!ops::AlgebraUtil(p, store, name, operation)) return kFailed;
  state::AktualizujOkno(p);
  state::DataChanged(p, store::Store::W);
  state::DataChanged(p, store::Store::M);
  return kDone;
}

// The text export takes its file by the keyword's rule; inside a macro a
// line without a name takes the record's macro name with the text extension.
int TextExportCommand(state::Program& p, store::Store store, std::string_view keyword) {
  std::string name;
  std::string queue = QueueText(p);
  store::FrontSpaceOff(queue);
  if (queue.empty() && p.MacGoing) {
    name = files::MacroName(p, store);
    if (name.empty()) return NoFileChosen(p, keyword);
    store::ChangeExtension(name, store::IsW(store) ? ".WTX" : ".MTX");
    name = "\\DATA\\" + name;
  } else if (!files::TakeFileArgument(p, keyword, name)) {
    return NoFileChosen(p, keyword);
  }
  return files::WriteASCIIDataFile(p, name, store) ? kDone : kFailed;
}

int ExWWA(state::Program& p) { return TextExportCommand(p, store::Store::W, "WWA"); }
int ExWMA(state::Program& p) { return TextExportCommand(p, store::Store::M, "WMA"); }

int ExMODIFY(state::Program& p) {
  // No word: the modification file used last.
  std::string name;
  if (!QueueEmpty(p) && !files::TakeFileArgument(p, "MODIFY", name)) return NoFileChosen(p, "MODIFY");
  return files::WaveformModifyExecute(p, false, name) ? kDone : kFailed;
}

int ExCONV(state::Program& p) {
  state::UnDisplayWave(p, store::Store::W, -1);
  state::UnDisplayWave(p, store::Store::M, -1);
  SetQueue(p, "");
  return files::Conversion(p) ? kDone : kFailed;
}

}  // namespace macro
