#include "app/MainWindow.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/DataFileReader.h"
#include "files/DataFileUser.h"
#include "files/DataFileWriter.h"
#include "files/JobFile.h"
#include "graph/FontSettings.h"
#include "graph/MatrixDisplay.h"
#include "graph/StoreLimits.h"
#include "macro/InternalCommands.h"
#include "macro/MacroRunner.h"
#include "ops/MeasurementTransfer.h"
#include "ops/Smoothing.h"
#include "state/ExitRequest.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace app {

TMainWindow::TMainWindow(Program& p, MainView* view) : p_(p), view_(view ? view : &noView_) {
  store::CopyText(p.DG.NameQueue, store::FieldText(p.CommandLine));
  p.QW = p.DoQW = p.QM = p.DoQM = 0;
  p.MacGoing = p.MacStop = p.MacAgain = 0;
  p.GoQWAgain = p.VertKeyUP = p.QW_Vert = 0;
  p.QW_EXT = 0;
  p.INTERRUPT = 0;
  p.DisplayLeft = p.TraceLeft = 0;
  p.PWait = -1;
  p.Argument = -1;
  p.W_NameIndx = -1;
  p.HotKeyChan = 0;
  p.DoMess = 1;
  p.DoPanel = 1;
  p.PG.MemoryMode |= store::kPgMemoryWave | store::kPgMemoryMeas;
  p.MAXWPER = 1000.0f;
  p.MINWPER = 0.004f;
  macro::SetMacroTimerStep(p, [this] { MacroTimerStep(); });
}

TMainWindow::~TMainWindow() { macro::SetMacroTimerStep(p_, nullptr); }

bool TMainWindow::SetupWindow() {
  const char* file = p_.DG.Language ? "trv_cz.txt" : "trv_gb.txt";
  std::optional<std::string> path = p_.plat.paths ? p_.plat.paths->FindResource(file) : std::nullopt;
  state::TextFileStatus status = path ? p_.Texts.Load(*path) : state::TextFileStatus::Missing;
  if (status != state::TextFileStatus::Ok) {
    p_.ui().Message(state::GeneralTexts::FailureMessage(status), "Error");
    closed_ = true;
    return false;
  }
  p_.ADBits = std::atoi(Txt(p_, 22).c_str());
  if (p_.NotEnoughMemory) {
    // Save a small budget so that the next start succeeds, then close.
    MessT(p_, 0, 1);
    p_.DG.TotalSamples = 128;
    (void)files::WriteJobFileUtil(p_, nullptr);
    closed_ = true;
    return false;
  }
  p_.DG.Language = 1;
  return true;
}

void TMainWindow::StopAndRestart(void (*change)(Program&)) {
  macro::Command(p_, 208);
  change(p_);
  macro::Command(p_, 203);
}

void TMainWindow::WMUserMessage(int code, int arg) {
  if (!UserMsgReady) return;
  UserMsgReady = 0;
  switch (code) {
    case state::kExitAsk:
      MainExitTRV(p_, true);
      break;
    case state::kExitNoAsk:
      MainExitTRV(p_, false);
      break;
    case state::kRedrawOthers:
      for (store::Store s : {store::Store::W, store::Store::M})
        for (int i = 0; i < store::kChannels; ++i)
          if (i != arg && p_.Windows(s)[i]) p_.Windows(s)[i]->UserMessage(state::kRedrawAll, 0);
      break;
    case state::kWaitClose:
      p_.ui().HideWait();
      break;
    case state::kWaitShow:
      p_.ui().ShowWait(arg ? Txt(p_, arg) : std::string(" "));
      break;
    case state::kWaitProgress:
      p_.ui().WaitProgress(std::clamp(arg, 0, 100));
      break;
    case state::kScaleFontHeightDialog:
    case state::kScaleFontWidthDialog:
    case state::kTextFontHeightDialog:
    case state::kTextFontWidthDialog:
      graph::FontCellDialog(p_, 26 + (code - state::kScaleFontHeightDialog));
      break;
    case state::kStartWaveformRun:
      macro::Command(p_, 203);
      break;
    case state::kStopWaveformRun:
      p_.GoQWAgain = 0;
      macro::Command(p_, 208);
      break;
    case state::kHalvePeriod:
      StopAndRestart([](Program& q) { q.RefA().WPeriod /= 2; });
      break;
    case state::kDoublePeriod:
      StopAndRestart([](Program& q) { q.RefA().WPeriod *= 2; });
      break;
    case state::kDoubleLength:
      StopAndRestart([](Program& q) {
        int32_t& len = q.RefA().WLength;
        if (len <= q.DG.MaxLength / 2) len *= 2;
      });
      break;
    case state::kHalveLength:
      StopAndRestart([](Program& q) {
        int32_t& len = q.RefA().WLength;
        if (len >= 2) len /= 2;
      });
      break;
    case state::kWriteLimits:
      (void)graph::WriteLimits(p_, store::Store::W);
      break;
    case state::kMatrixDisplay:
      graph::ShowMatrixDisplay(p_);
      break;
    case state::kReadWaveFile: {
      bool open = AnyWindowOpen(p_, store::Store::W);
      UnDisplayWave(p_, store::Store::W, -1);
      (void)files::ReadDataFileUtil(p_, store::FieldText(p_.WG.LastWaveFile), store::Store::W, true, -1, 0,
                                    false);
      if (open) DisplayWave(p_, store::Store::W, -1);
      break;
    }
    case state::kWriteWaveFile:
      (void)files::WriteDataFileUtil(p_, store::FieldText(p_.WG.LastWaveFile), store::Store::W, 0);
      break;
    case state::kWriteLimitedWaveFile:
      // Limits that were refused leave the record uncut; writing it whole
      // would replace the file with what the user did not ask for.
      if (graph::WriteLimits(p_, store::Store::W))
        (void)files::WriteDataFileUtil(p_, store::FieldText(p_.WG.LastWaveFile), store::Store::W, 0);
      break;
    case state::kLinkWaveFile:
      (void)files::WaveformLink(p_);
      p_.FocusGraphs = 1;
      break;
    default:  // codes of other windows, and unknown ones
      break;
  }
}

void TMainWindow::Filtr(store::Store store) {
  if (!MemOK(p_, store)) return;
  uint8_t flags = uint8_t(p_.PG.Flags & 0xFF);
  store::Header_s& h = p_.Header(store);
  if ((flags & store::kPgSmoothAfterRun) && ops::SmoothChannelsAfterRun(p_, store) > 0)
    DataChanged(p_, store);
  if (store == store::Store::M && (flags & store::kPgFitMeasurement)) {
    int32_t oldLength = h.Length;
    int32_t newLength = std::min(std::max(p_.Bindx, int32_t(16)), oldLength);
    if (newLength < oldLength) {
      float* s = p_.Buffer.get();
      int k = 0;
      for (int i = 0; i < store::kChannels; ++i) {
        if (!h.ChannelOn[i]) continue;
        std::memmove(s + size_t(k) * newLength, s + size_t(k) * oldLength, size_t(newLength) * sizeof(float));
        ++k;
      }
      h.Length = newLength;
    }
    h.TriggerFlag = 0;
    h.PreTrigger = 0;
    DataChanged(p_, store::Store::M);
    (void)ops::MeasurementToWaveform(p_, false);
  }
}

void TMainWindow::EXT_Name_Util() {
  char counter[16];
  std::snprintf(counter, sizeof counter, "%05d", int(p_.WG.ExtStartCount));
  std::string folder = store::PathFromName(store::FieldText(p_.WG.LastWaveFile));
  store::CopyText(p_.EXT_Name, folder + "\\QW_" + counter + ".w");
}

int TMainWindow::AC_Delay(int n) {
  platform::Clock& clock = *p_.plat.clock;
  // Input that was already waiting is let through first, for at most the delay.
  uint32_t start = clock.TickMs();
  uint32_t total = uint32_t(std::max(n, 0)) * 100;
  while (p_.ui().InputPending() && clock.TickMs() - start < total) clock.SleepMs(10);
  start = clock.TickMs();
  while (clock.TickMs() - start < total) {
    if (p_.ui().InputPending() || p_.ui().EscapePressed()) return 0;
    clock.SleepMs(std::min<uint32_t>(10, total - (clock.TickMs() - start)));
  }
  return 1;
}

void TMainWindow::AC_DelayNoInterrupt(int n) { p_.plat.clock->SleepMs(uint32_t(std::max(n, 0)) * 100); }

}  // namespace app
