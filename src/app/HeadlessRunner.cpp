#include "app/HeadlessRunner.h"

#include <cstdio>

#include "app/HeadlessMenus.h"
#include "app/MainWindow.h"
#include "app/Startup.h"
#include "daq/RunCommands.h"
#include "graph/GraphModel.h"
#include "graph/RecorderModel.h"
#include "macro/Interpreter.h"
#include "macro/MacroRunner.h"
#include "platform/DlLibrary.h"
#include "platform/FakeClock.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/Interrupts.h"
#include "platform/Paths.h"
#include "platform/PosixProcess.h"
#include "platform/ScriptedUi.h"
#include "state/ExitRequest.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace app {
namespace {

constexpr uint32_t kGraphTimerMs = 300;

bool Busy(const Program& p, const TMainWindow& w) {
  return w.FirstTick || p.DoCommand || p.MacGoing || p.QW || p.QM || p.PWait >= 0;
}

// SIGINT/SIGTERM: as STOP and a confirmed Escape. The running acquisition
// and macro end; the loop then leaves through the normal exit, which writes
// the work files.
void StopForInterrupt(Program& p, bool echo) {
  if (echo) std::fprintf(stderr, "tarvelin: interrupted; stopping and saving the work files\n");
  if (p.QW || p.QM) daq::StopRun(p, false);
  p.QW_EXT = 0;
  if (p.PWait >= 0) macro::StopInputWait(p);
  if (p.MacGoing) macro::ClearMacro(p);
  p.MacStop = 0;
  macro::NoteFailure(p, "interrupted by a signal");
}

}  // namespace

bool ParseHeadlessArguments(const std::vector<std::string>& args, HeadlessOptions& o, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    if (a == "--root") {
      if (!value(o.root)) return false;
    } else if (a == "--macro") {
      if (!value(o.macro)) return false;
    } else if (a == "--answer") {
      std::string v;
      if (!value(v)) return false;
      if (v == "yes")
        o.answer = platform::Answer::Yes;
      else if (v == "no")
        o.answer = platform::Answer::No;
      else {
        error = "--answer takes yes or no";
        return false;
      }
    } else if (a == "--menu" || a == "--file") {
      std::string v;
      if (!value(v) || !AddMenuOption(a, v, o, error)) return false;
    } else if (a == "--screenshot") {
      if (!value(o.screenshot)) return false;
    } else if (a == "--print-to") {
      if (!value(o.printTo)) return false;
    } else if (a == "--no-save") {
      o.save = false;
    } else if (a == "--headless") {
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      error = "unknown option " + a;
      return false;
    } else {
      o.words.push_back(a);
    }
  }
  if (o.words.size() > 2) o.words.resize(2);  // a third word is ignored, as on the desktop
  return true;
}

int RunHeadless(const HeadlessOptions& o) {
  platform::InstallInterruptHandlers();
  platform::ScriptedUi ui;
  ui.SetEcho(o.echo);
  ui.SetDefaultAnswer(o.answer);
  ui.SetReportUnansweredFiles(true);
  platform::SystemClock clock;
  platform::HeadlessWindowHost host;
  platform::DlLibrary library;
  platform::PosixProcess process;
  platform::Paths paths(o.root, o.resources.empty() ? std::string(TARVELIN_RESOURCES) : o.resources);
  if (!paths.CreateStandardFolders()) {
    ui.Message("Cannot create the program folders under " + paths.Root(), "Error");
    return 1;
  }
  Program p(state::Platform{&ui, &clock, &library, &process, &host, &paths});
  p.OpenPrintJob = o.printJobs;
  p.PrintToFile = true;
  p.PrintToName = o.printTo;
  OwlMain(p, o.words);
  InitMainWindow(p);
  // The desktop's window model, drawing on a surface that keeps nothing.
  p.GraphFactory = graph::MakeGraphWindowFactory(p, graph::OwnSurface::Nothing);
  p.RecorderFactory = graph::MakeRecorderFactory(p, graph::OwnSurface::Nothing);
  TMainWindow w(p);
  host.SetMainHandler([&](int code, int arg) { w.WMUserMessage(code, arg); });
  if (!w.SetupWindow()) return 1;
  w.saveAtExit = o.save;
  const bool menusOk = o.menus.empty() || RunMenusAfterStartup(p, w, host, ui, o.menus);
  if (menusOk && !o.macro.empty() && !macro::StartMacroFromCommandLine(p, o.macro)) return 1;

  bool exitRequested = false, interrupted = false;
  uint32_t lastGraphTimer = clock.TickMs();
  while (!w.Closed()) {
    if (platform::InterruptRequested() && !interrupted) {
      interrupted = true;
      StopForInterrupt(p, o.echo);
    }
    w.Timer();
    host.DeliverPending();
    if (clock.TickMs() - lastGraphTimer >= kGraphTimerMs) {
      lastGraphTimer = clock.TickMs();
      host.RunWindowTimers();
    }
    if (w.Closed()) break;
    if (!Busy(p, w)) {
      if (!exitRequested) {
        exitRequested = true;
        MainExitTRV(p, false);
      }
    } else {
      clock.SleepMs(p.QM ? 1 : 10);
    }
  }
  const macro::FailedStatements& failed = macro::FailedStatementList(p);
  for (const std::string& what : failed.shown)
    if (o.echo) std::fprintf(stderr, "tarvelin: failed: %s\n", what.c_str());
  if (o.echo && failed.count > int64_t(failed.shown.size()))
    std::fprintf(stderr, "tarvelin: ... and %lld more failed statements\n",
                 static_cast<long long>(failed.count - int64_t(failed.shown.size())));
  return interrupted || failed.count > 0 || ErrorShownSince(p, ui, 0) ? 1 : 0;
}

// A message shown under an error title means something failed. Driver
// failures carry the call and its status in a caption of their own.
bool ErrorShownSince(const Program& p, const platform::ScriptedUi& ui, size_t from) {
  const auto& log = ui.Log();
  for (size_t i = from; i < log.size(); ++i) {
    const platform::ScriptedUi::Shown& shown = log[i];
    if (shown.kind != "message") continue;
    if (shown.title == "Error" || shown.title == Txt(p, 13) || shown.title == Txt(p, 14) ||
        shown.title.rfind("Chyba ", 0) == 0)
      return true;
  }
  return false;
}

}  // namespace app
