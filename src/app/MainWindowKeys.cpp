// The main window's keys: function keys, Esc and Pause reach internal
// commands and operations; a plain letter opens the command dialog.
#include "app/MainWindow.h"
#include "files/DataFileUser.h"
#include "macro/HelpFiles.h"
#include "macro/InternalCommands.h"
#include "macro/Interpreter.h"
#include "macro/MacroRunner.h"
#include "state/ExitRequest.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/FixedText.h"

namespace app {
namespace {

enum Key {
  kShiftKey = 16,
  kControlKey = 17,
  kPause = 19,
  kEscape = 27,
  kF1 = 0x70,
  kF2,
  kF3,
  kF4,
  kF5,
  kF6,
  kF7,
  kF8,
  kF9,
};

constexpr int kShiftBit = 1, kControlBit = 2, kAltBit = 4;
constexpr int kMainHelp = 2;  // "mainhelp.txt"

}  // namespace

void TMainWindow::KeyDown(int key, int modifiers) {
  if (!KeysReady || closed_) return;
  InKeyDown = 1;
  if (key == kControlKey) {
    KeyModifier = 1;
    return;
  }
  if (key == kShiftKey) {
    KeyModifier = 2;
    return;
  }
  bool plain = KeyModifier == 0 && (modifiers & (kShiftBit | kControlBit | kAltBit)) == 0;
  switch (key) {
    case kF1:
      macro::ShowHelpText(p_, kMainHelp);
      break;
    case kF2:
      FileKey(store::Store::W, true);
      break;
    case kF3:
      FileKey(store::Store::W, false);
      break;
    case kF4:
      FileKey(store::Store::M, true);
      break;
    case kF5:
      FileKey(store::Store::M, false);
      break;
    case kF6:
      macro::Command(p_, 203);
      break;
    case kF7:
      macro::Command(p_, 202);
      break;
    case kF8:
      // StartMacro clears the present macro itself, unless a run refuses it.
      macro::StartMacro(p_, "");
      break;
    case kF9:
      // Ctrl+F9 and F9 alike leave through the exit question.
      ExitTRV(p_);
      break;
    case kEscape:
      EscapeKey();
      break;
    case kPause:
      if (p_.QW) macro::Command(p_, 208);
      break;
    default:
      if (key >= 'A' && key <= 'Z' && plain && !commandDialogOpen_)
        commandDialogOpen_ = view_->OpenCommandDialog(key);
      break;
  }
  p_.DoPanel = 1;
}

void TMainWindow::KeyUp(int) {
  KeyModifier = 0;
  KeysReady = 0;
  // A letter's dialog keeps the key "down" until it has closed.
  if (!commandDialogOpen_) InKeyDown = 0;
}

void TMainWindow::CommandDialogClosed(bool ok, std::string_view line) {
  commandDialogOpen_ = false;
  InKeyDown = 0;
  if (!ok || closed_) return;
  store::CopyText(p_.DG.NameQueue, line);
  macro::ComInterpret(p_);
  p_.DoPanel = 1;
}

void TMainWindow::EscapeKey() {
  if (p_.QW) {
    macro::Command(p_, 208);
    return;
  }
  if (!p_.MacGoing) {
    ExitTRV(p_);
    return;
  }
  if (AskT(p_, 210, 15) == platform::Answer::Yes) {
    macro::ClearMacro(p_);
    p_.MacStop = 1;
  }
}

void TMainWindow::FileKey(store::Store store, bool save) {
  // The dialog chooses the file: a word left in the buffer is not a name.
  p_.DG.NameQueue[0] = '\0';
  if (save) {
    (void)files::WriteDataFile(p_, "", store, 0);
    return;
  }
  bool wereOpen = AnyWindowOpen(p_, store);
  int ok = files::ReadDataFile(p_, "", store, false);
  // The reader closes the store's windows once a file was chosen; they show
  // the new record, or the old one again when reading failed.
  if (ok || (wereOpen && !AnyWindowOpen(p_, store))) DisplayWave(p_, store, -1);
}

}  // namespace app
