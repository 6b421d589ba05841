// Executors of the file and memory keywords.
#include <cstdio>
#include <optional>
#include <string>

#include "app/GraphWindows.h"
#include "app/Messages.h"
#include "app/Program.h"
#include "dsp/StoreFileAlgebra.h"
#include "files/Converter.h"
#include "files/DataFileFormat.h"
#include "files/DataFileNames.h"
#include "files/DataFileUser.h"
#include "files/JobUser.h"
#include "files/ModifyFiles.h"
#include "files/TextExport.h"
#include "macro/CommandBuffer.h"
#include "macro/Executors.h"
#include "macro/Prompts.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace macro {
namespace {

std::string ExtMask(const app::Program& p, int store) {
  return store ? store::FieldText(p.DG.WaveExtMask) : store::FieldText(p.DG.MeasExtMask);
}

// Whether the data file operation will take the store's macro name by itself
// when it is given no name (as `ReadDataFile` / `WriteDataFile` decide).
bool MacroNameApplies(const app::Program& p, int store, bool save) {
  if (!p.MacGoing) return false;
  if (save && store) {
    if (!p.W_NameGo || p.W_NameIndx < -1 || p.W_NameIndx > 15) return false;
    // A slot name after a timed-out input wait: the writer skips the record.
    if (p.PWait == -2 && p.W_NameIndx >= 0) return true;
  }
  return !files::MacroName(p, store).empty();
}

// A name whose last four characters hold no "." gets the store's extension,
// whether it came from the line or from a dialog.
void DefaultExtension(const app::Program& p, int store, std::string& name) {
  for (size_t i = 0; i < 4 && i < name.size(); ++i) {
    char c = name[name.size() - 1 - i];
    if (c == '.') return;
    if (c == '\\' || c == '/') break;
  }
  const std::string mask = ExtMask(p, store);
  if (mask.size() > 1 && mask[0] == '*') name += mask.substr(1);
}

// The file-name argument: a word of the buffer (placed in "\DATA\"), "I" for
// `ImplicitName`, "?" or nothing for the command's dialog. An empty name
// answered with 1 leaves the choice of the macro name to the operation.
int DataFileArgument(app::Program& p, int store, bool save, std::string_view keyword, std::string& name) {
  std::string queue = QueueText(p);
  store::FrontSpaceOff(queue);
  SetQueue(p, queue);
  if (queue.empty() && MacroNameApplies(p, store, save)) {
    name.clear();
    return kDone;
  }
  const int title = store ? (save ? 503 : 499) : (save ? 504 : 501);
  const int filter = store ? 500 : 502;
  if (files::FileName(p, app::Txt(p, title), app::Txt(p, filter), name, "\\DATA\\" + ExtMask(p, store),
                      save)) {
    DefaultExtension(p, store, name);
    return kDone;
  }
  return p.MacGoing ? NoFileChosen(p, keyword) : kFailed;
}

}  // namespace

int ReadDataCommand(app::Program& p, int store, int accumulate, std::string_view keyword) {
  std::string name;
  int got = DataFileArgument(p, store, false, keyword, name);
  if (got != kDone) return got;
  int ok = files::ReadDataFile(p, name, store, accumulate);
  // The reader closed the store's windows; they show the new record.
  app::DisplayWave(p, store, -1);
  return ok ? kDone : kFailed;
}

int WriteDataCommand(app::Program& p, int store, std::string_view keyword) {
  std::string name;
  int got = DataFileArgument(p, store, true, keyword, name);
  if (got != kDone) return got;
  return files::WriteDataFile(p, name, store, 0) ? kDone : kFailed;
}

int WriteChannelCommand(app::Program& p, int store, std::string_view keyword) {
  int32_t channel = 1;
  if (!GetChannel(p, channel, 1, 128, app::Txt(p, 173), keyword)) return kFailed;
  // The line names no file: a word left in the buffer is not one.
  SetQueue(p, "");
  std::string name;
  int got = DataFileArgument(p, store, true, keyword, name);
  if (got != kDone) return got;
  return files::WriteDataFile(p, name, store, channel) ? kDone : kFailed;
}

int JobCommand(app::Program& p, bool write, int onlyJob, std::string_view keyword) {
  std::string queue = QueueText(p);
  store::FrontSpaceOff(queue);
  const bool dialog = queue.empty() || queue[0] == '?';
  int ok = write ? files::WriteJobFile(p, onlyJob) : files::ReadJobFile(p, onlyJob);
  if (ok) return kDone;
  if (dialog && p.MacGoing) return NoFileChosen(p, keyword);
  return kFailed;
}

// kind: 0 W, 1 M, 2 W text, 3 M text.
int DeleteFileCommand(app::Program& p, int titleText, int filterText, int kind, std::string_view keyword) {
  platform::FileDialogRequest request;
  request.title = app::Txt(p, titleText);
  request.filter = app::Txt(p, filterText);
  request.folder = files::ResolveDataName(p, "\\DATA\\");
  switch (kind) {
    case 0:
      request.mask = ExtMask(p, 1);
      break;
    case 1:
      request.mask = ExtMask(p, 0);
      break;
    case 2:
      request.mask = "*.WTX";
      break;
    default:
      request.mask = "*.MTX";
      break;
  }
  SetQueue(p, "");
  std::optional<std::string> chosen = p.ui().ChooseFile(request);
  if (!chosen || chosen->empty()) return p.MacGoing ? NoFileChosen(p, keyword) : kFailed;
  return std::remove(chosen->c_str()) == 0 ? kDone : kFailed;
}

int StoreFileAlgebraCommand(app::Program& p, int store, int operation, std::string_view keyword) {
  // These always ask when the line names no file.
  std::string queue = QueueText(p);
  store::FrontSpaceOff(queue);
  if (queue.empty()) SetQueue(p, "?");
  std::string name;
  const int title = store ? 499 : 501;
  const int filter = store ? 500 : 502;
  if (!files::FileName(p, app::Txt(p, title), app::Txt(p, filter), name, "\\DATA\\" + ExtMask(p, store)))
    return p.MacGoing ? NoFileChosen(p, keyword) : kFailed;
  DefaultExtension(p, store, name);
  if (!dsp::AlgebraUtil(p, name, operation, store)) return kFailed;
  app::AktualizujOkno(p);
  app::DataChanged(p, 1);
  app::DataChanged(p, 0);
  return kDone;
}

// The text export, the modification files and the converter belong to the
// text and foreign-format work that has not landed in this build.
// The text export takes its name from the line, or asks with the dialog.
int TextExportCommand(app::Program& p, int store, std::string_view keyword) {
  std::string name = TakeWord(p);
  if (name.empty() && p.MacGoing) {
    // Inside a macro the record's macro name, with the text extension, is the default.
    name = files::MacroName(p, store);
    if (name.empty()) return NoFileChosen(p, keyword);
    store::ChangeExtension(name, store ? ".WTX" : ".MTX");
    name = "\\DATA\\" + name;
  }
  return files::WriteASCIIDataFile(p, name, store) ? kDone : kFailed;
}

int ExWWA(app::Program& p) { return TextExportCommand(p, 1, "WWA"); }
int ExWMA(app::Program& p) { return TextExportCommand(p, 0, "WMA"); }

int ExMODIFY(app::Program& p) {
  std::string name = TakeWord(p);
  return files::WaveformModifyExecute(p, false, name) ? kDone : kFailed;
}

int ExCONV(app::Program& p) {
  app::UnDisplayWave(p, 1, -1);
  app::UnDisplayWave(p, 0, -1);
  SetQueue(p, "");
  return files::Conversion(p) ? kDone : kFailed;
}

}  // namespace macro
