#include "macro/MacroRunner.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "macro/CommandBuffer.h"
#include "macro/Interpreter.h"
#include "macro/MacroReader.h"
#include "macro/MacroState.h"
#include "platform/Interrupts.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/RecorderWindows.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace macro {
namespace {

enum class Outcome {
  Finished,   // end of file, "#", END outside a block, REPEAT < 1
  Error,      // a syntax error, or a failed statement the user chose to stop at
  Suspended,  // a statement set MacStop: the timer resumes the macro later
  Stopped,    // an interrupt was confirmed: the macro was cleared
  Replaced,   // a statement started another macro (GOMC): this run just leaves
  Exiting,    // the program is closing
};

std::string Num3(int64_t v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%3lld", static_cast<long long>(v));
  return buf;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The statement goes into the command buffer whole: a 60-character statement
// fills the 60-byte field without a terminator, which every reader of the
// field allows for, instead of losing its last character.
void PutStatement(state::Program& p, const std::string& text) {
  std::memset(p.DG.NameQueue, 0, sizeof p.DG.NameQueue);
  std::memcpy(p.DG.NameQueue, text.data(), std::min(text.size(), sizeof p.DG.NameQueue));
}

void SaveCounters(state::Program& p, MacroState& st, int64_t statements, int64_t repeat, int64_t blocks) {
  st.statements = statements;
  st.repeat = repeat;
  st.blocks = blocks;
  p.PG.MacroStatement = Saturated16(statements);
  p.PG.MacroRepeat = Saturated16(repeat);
  p.PG.MacroBlock = Saturated16(blocks);
}

void ForgetMacro(state::Program& p, MacroState& st) {
  std::memset(p.PG.MacroName, 0, sizeof p.PG.MacroName);
  SaveCounters(p, st, 0, 0, 0);
}

// A name without a folder is looked for in "\MACRO\", with ".MAC" added when
// it has no extension; a name with a "/" is a path. Empty when not found.
std::string FindMacroFile(const state::Program& p, const std::string& name) {
  if (name.empty()) return {};
  if (name.find('/') != std::string::npos) {
    std::error_code ec;
    std::string full = std::filesystem::absolute(name, ec).string();
    if (ec) full = name;
    if (FileExists(full)) return full;
    if (name.find('.', name.rfind('/')) == std::string::npos && FileExists(full + ".MAC"))
      return full + ".MAC";
    return {};
  }
  if (!p.plat.paths) return {};
  std::string inFolder = p.plat.paths->Resolve("\\MACRO\\" + name);
  if (FileExists(inFolder)) return inFolder;
  if (name.find('.') == std::string::npos) {
    std::string withExt = p.plat.paths->Resolve("\\MACRO\\" + name + ".MAC");
    if (FileExists(withExt)) return withExt;
  }
  return {};
}

void CannotOpen(state::Program& p, const std::string& name) {
  ClearMacro(p);
  state::Mess(p, name.empty() ? state::Txt(p, 367) : state::Txt(p, 367) + " " + name, state::Txt(p, 14));
  state::TS(p, state::Txt(p, 368));
}

// Puts the macro's path into PG; false when it does not fit the field.
bool SetMacroName(state::Program& p, MacroState& st, const std::string& path) {
  if (path.empty() || path.size() >= sizeof p.PG.MacroName) return false;
  ForgetMacro(p, st);
  store::CopyText(p.PG.MacroName, path);
  return true;
}

// The file dialog over "\MACRO\" with the macro mask of WG. Empty when cancelled.
std::string AskMacroFile(state::Program& p) {
  std::string mask = store::FieldText(p.WG.MacroMask);
  size_t slash = mask.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? "\\MACRO\\" : mask.substr(0, slash + 1);
  platform::FileDialogRequest request;
  request.title = state::Txt(p, 514);
  request.filter = state::Txt(p, 515);
  request.folder = p.plat.paths ? p.plat.paths->Resolve(folder) : folder;
  request.mask = slash == std::string::npos ? (mask.empty() ? "*.MAC" : mask) : mask.substr(slash + 1);
  std::optional<std::string> chosen = p.ui().ChooseFile(request);
  return chosen ? *chosen : std::string();
}

class Runner {
 public:
  Runner(state::Program& p, MacroState& st, bool check, int64_t s0, int64_t r0, int64_t b0, std::string name)
      : p_(p),
        st_(st),
        check_(check),
        generation_(st.generation),
        s0_(s0),
        r0_(r0),
        b0_(b0),
        macroName_(std::move(name)) {}

  Outcome Run(std::istream& in) {
    MacroReader reader(in);
    Statement s;
    for (;;) {
      if (Exiting()) return Outcome::Exiting;
      switch (reader.Next(s)) {
        case ReadResult::End:
          return Outcome::Finished;
        case ReadResult::TooLong:
          return Fail(370, reader.Line());
        case ReadResult::MissingSemicolon:
          return Fail(371, reader.Line());
        case ReadResult::Statement:
          break;
      }
      // A stray ";" is not a statement: nothing to run, nothing to count.
      if (s.text.empty()) continue;
      int32_t n = 0;
      if (IsRepeat(s.text, n)) {
        if (collecting_) {
          // Blocks do not nest; taking the inner count for the whole block
          // would run it a wrong number of times without a word.
          state::Mess(p_,
                      state::Lang(p_, "REPEAT uvnitř bloku REPEAT: bloky nelze vnořovat.",
                                  "REPEAT inside a REPEAT block: blocks do not nest.") +
                          Where(s.line),
                      state::Txt(p_, 14));
          state::TS(p_, state::Txt(p_, 368));
          return Outcome::Error;
        }
        if (n < 1) return Outcome::Finished;
        repeat_ = n;
        if (n > 1) {
          collecting_ = true;
          passes_ = n;
          block_.clear();
        }
        continue;
      }
      if (IsEnd(s.text)) {
        if (!collecting_) return Outcome::Finished;
        collecting_ = false;
        if (!RunBlock(s.line)) return outcome_;
        continue;
      }
      if (collecting_) {
        if (block_.size() >= kBlockStatements) return Fail(373, s.line);
        block_.push_back(s.text);
        continue;
      }
      if (!Count(s.text, s.line, 0)) return outcome_;
    }
  }

  int64_t statements() const { return statements_; }
  int64_t repeat() const { return repeat_; }
  int64_t blocks() const { return blocks_; }

 private:
  // The block just closed by END: skipped when it was done before a
  // suspension, else its remaining passes, resuming inside the pass that was
  // interrupted.
  bool RunBlock(int line) {
    ++blocks_;
    const int64_t size = int64_t(block_.size());
    if (blocks_ < b0_) {
      statements_ += repeat_ * size;
      repeat_ = 0;
      return true;
    }
    if (blocks_ == b0_) {
      const int64_t remaining = std::clamp<int64_t>(r0_, 0, repeat_);
      statements_ += (repeat_ - remaining) * size;
      repeat_ = remaining;
    }
    while (repeat_ > 0) {
      const int64_t pass = passes_ - repeat_ + 1;
      for (const std::string& text : block_)
        if (!Count(text, line, pass)) return false;
      --repeat_;
    }
    return true;
  }

  bool Count(const std::string& text, int line, int64_t pass) {
    ++statements_;
    if (statements_ <= s0_) return true;
    return Execute(text, line, pass);
  }

  bool Execute(const std::string& text, int line, int64_t pass) {
    s0_ = 0;
    PutStatement(p_, text);
    std::string shown = check_ ? "INTERPRET. " : " GO: ";
    shown += pass ? "row :" : "Row :";
    shown += Num3(line);
    if (pass) shown += ", cycle : " + Num3(pass) + "/" + Num3(passes_);
    shown += ", " + text + "  ";
    state::TM(p_, shown);

    SetStatementSource(p_, macroName_ + " row " + std::to_string(line));
    const int ok = ComInterpret(p_, check_, nullptr);
    SetStatementSource(p_, "");
    if (Replaced()) return false;
    if (!ok && p_.ui().AskYesNo(state::Txt(p_, 372) + shown, state::Txt(p_, 14)) == platform::Answer::Yes) {
      state::TS(p_, state::Txt(p_, 368));
      outcome_ = Outcome::Error;
      return false;
    }
    if (platform::InterruptRequested()) {
      // A signal is no key to ask about: the macro stops here.
      ClearMacro(p_);
      p_.MacStop = 1;
      Replaced();
      return false;
    }
    if (st_.escapeSeen || p_.ui().EscapePressed()) {
      st_.escapeSeen = false;
      InsertMacro(p_, "");
      if (Replaced()) return false;
    }
    if (p_.MacStop) {
      outcome_ = Outcome::Suspended;
      return false;
    }
    if (st_.timerStep) {
      st_.timerStep();
      if (Replaced()) return false;
    }
    if (Exiting()) {
      outcome_ = Outcome::Exiting;
      return false;
    }
    return true;
  }

  // ClearMacro ran during the statement: an interrupt (MacStop left set) or
  // another macro taking over.
  bool Replaced() {
    if (st_.generation == generation_) return false;
    outcome_ = p_.MacStop && !p_.MacGoing ? Outcome::Stopped : Outcome::Replaced;
    return true;
  }

  bool Exiting() const { return p_.DoExit || p_.BudeKonecAleAzPoGrafech; }

  std::string Where(int line) const { return "  (" + std::string("row :") + Num3(line) + ")"; }

  Outcome Fail(int text, int line) {
    state::Mess(p_, state::Txt(p_, text) + Where(line), state::Txt(p_, 14));
    state::TS(p_, state::Txt(p_, 368));
    return Outcome::Error;
  }

  state::Program& p_;
  MacroState& st_;
  const bool check_;
  const uint64_t generation_;
  int64_t s0_, r0_, b0_;  // resume marks: statements, passes left, blocks done
  const std::string macroName_;
  int64_t statements_ = 0, repeat_ = 0, blocks_ = 0;
  int64_t passes_ = 0;
  bool collecting_ = false;
  std::vector<std::string> block_;
  Outcome outcome_ = Outcome::Finished;
};

// `GoMac`: runs (or resumes) the macro named in PG.
int RunMacro(state::Program& p) {
  MacroState& st = StateOf(p);
  if ((p.QW || p.QM) && !p.MacGoing) {
    state::MessT(p, 366, 13);
    return 0;
  }
  // Input typed before the macro is not meant for it.
  st.escapeSeen = false;
  p.ui().EscapePressed();

  const bool resume = p.MacGoing != 0;
  std::string name = store::FieldText(p.PG.MacroName);
  if (!p.MacGoing && name.empty()) {
    std::string chosen = AskMacroFile(p);
    if (chosen.empty()) return -1;
    if (!SetMacroName(p, st, chosen)) {
      CannotOpen(p, chosen);
      return 1;
    }
    name = chosen;
  }
  const std::string path = p.plat.paths ? p.plat.paths->Resolve(name) : name;
  std::ifstream in;
  if (FileExists(path)) in.open(path, std::ios::binary);
  if (!in.is_open()) {
    CannotOpen(p, name);
    return 1;
  }

  p.MacGoing = 1;
  // A resume keeps the names the macro set before it was suspended (a WW
  // after QW must save under the WNAME given before the run).
  if (!resume) p.W_NameGo = 0;
  // The full counters are trusted only while PG still shows their images
  // (a job file read in between may have brought other values).
  const bool wide = Saturated16(st.statements) == p.PG.MacroStatement &&
                    Saturated16(st.repeat) == p.PG.MacroRepeat && Saturated16(st.blocks) == p.PG.MacroBlock;
  const int64_t s0 = std::max<int64_t>(0, wide ? st.statements : p.PG.MacroStatement);
  const int64_t r0 = std::max<int64_t>(0, wide ? st.repeat : p.PG.MacroRepeat);
  const int64_t b0 = std::max<int64_t>(0, wide ? st.blocks : p.PG.MacroBlock);
  SaveCounters(p, st, 0, 0, 0);

  Runner runner(p, st, st.checkMode, s0, r0, b0, std::filesystem::path(path).filename().string());
  const Outcome outcome = runner.Run(in);
  p.DoPanel = 1;
  switch (outcome) {
    case Outcome::Replaced:
      return 0;
    case Outcome::Stopped:
      state::TS(p, state::Txt(p, 376) + state::Txt(p, 377));
      p.MacStop = 0;
      return 1;
    case Outcome::Suspended: {
      SaveCounters(p, st, runner.statements(), runner.repeat(), runner.blocks());
      std::string status = state::Txt(p, 376);
      if (p.PWait >= 0) {
        char bit[32];
        std::snprintf(bit, sizeof bit, " na dig.port. %2d", int(p.PWait));
        status += bit;
      }
      state::TS(p, status);
      return 0;
    }
    case Outcome::Exiting:
      SaveCounters(p, st, runner.statements(), runner.repeat(), runner.blocks());
      p.MacGoing = 0;
      return 0;
    case Outcome::Finished:
    case Outcome::Error:
      break;
  }
  ForgetMacro(p, st);
  state::TM(p, state::Txt(p, st.checkMode ? 374 : 375));
  // A macro ended by an error is one that was stopped, and says so.
  if (outcome == Outcome::Error) state::TS(p, state::Txt(p, 376) + state::Txt(p, 377));
  p.ui().EscapePressed();
  p.MacGoing = 0;
  return outcome == Outcome::Error ? 1 : 0;
}

}  // namespace

void ClearMacro(state::Program& p) {
  MacroState& st = StateOf(p);
  ++st.generation;
  st.waitsForRun = false;
  ForgetMacro(p, st);
  p.MacAgain = p.MacGoing = p.MacStop = 0;
  p.DisplayLeft = 0;
  st.interruptOpen = false;
  p.W_NameIndx = -1;
  std::fill(std::begin(p.W_NameInc), std::end(p.W_NameInc), int16_t(0));
  for (size_t i = 0; i + 12 <= p.W_Nam_N.size(); i += 12) p.W_Nam_N[i] = '\0';
  std::memset(p.W_Name, 0, sizeof p.W_Name);
  std::memset(p.M_Name, 0, sizeof p.M_Name);
  p.M_NameInc = 0;
  state::TM(p, state::Txt(p, 420));
  p.QM = 0;
  p.QW = 0;
  if (p.GoGrafWin) state::CloseRecorderWindows(p);
}

int StartMacro(state::Program& p, const std::string& nameOrEmpty) {
  // Refused before ClearMacro, which would drop the run flags of the active run.
  if ((p.QW || p.QM) && !p.MacGoing) {
    state::MessT(p, 366, 13);
    return 0;
  }
  ClearMacro(p);
  std::string name = nameOrEmpty;
  store::FrontSpaceOff(name);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (!name.empty()) {
    std::string path = FindMacroFile(p, name);
    if (!SetMacroName(p, StateOf(p), path)) {
      CannotOpen(p, name);
      return 1;
    }
  }
  return RunMacro(p);
}

int CheckMacro(state::Program& p, const std::string& nameOrEmpty) {
  MacroState& st = StateOf(p);
  const bool was = st.checkMode;
  st.checkMode = true;
  int result = StartMacro(p, nameOrEmpty);
  StateOf(p).checkMode = was;
  return result;
}

void GoMac(state::Program& p) { RunMacro(p); }

int StartMacroFromCommandLine(state::Program& p, const std::string& nameOrPath) {
  std::string path = FindMacroFile(p, nameOrPath);
  ClearMacro(p);
  if (!SetMacroName(p, StateOf(p), path)) {
    CannotOpen(p, nameOrPath);
    return 0;
  }
  // Armed as a suspended macro whose activity has ended: the timer starts it
  // at its next tick, after the first tick has loaded the work files (a job
  // read keeps the PG macro fields while MacGoing is set).
  p.MacGoing = 1;
  p.MacStop = 1;
  p.MacAgain = 1;
  return 1;
}

int InsertMacro(state::Program& p, const std::string& text) {
  MacroState& st = StateOf(p);
  if (st.interruptOpen) return 1;
  st.interruptOpen = true;
  p.ui().EscapePressed();
  if (p.MacGoing) {
    std::string lead = text.empty() ? TakeRest(p) : text;
    SetQueue(p, "");
    if (lead.size() > 230) lead.resize(230);
    std::string question = lead.empty() ? state::Txt(p, 380) : lead + state::Txt(p, 379);
    if (p.ui().AskYesNo(question, state::Txt(p, 15)) == platform::Answer::Yes) {
      ClearMacro(p);
      p.MacStop = 1;
    }
  } else {
    state::MessT(p, 378, 11);
  }
  StateOf(p).interruptOpen = false;
  return 1;
}

}  // namespace macro
