// The work set: loaded by the first tick (with every fallback) and written
// by the exit.
#include <cmath>

#include "app/Exit.h"
#include "app/MainWindow.h"
#include "daq/Driver.h"
#include "daq/Generator.h"
#include "files/DataFileReader.h"
#include "files/DataFileWriter.h"
#include "files/HistoryFile.h"
#include "files/JobUser.h"
#include "files/WorkSettings.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"

namespace app {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Channel 1 of a store back to its default record, active, and filled by `f`.
template <typename F>
void DemonstrationChannel(Program& p, store::Store s, F f) {
  store::Header_s& h = p.Header(s);
  if (h.Length < 1 || h.Length > p.DG.MaxLength) h.Length = 128;
  if (!h.ChannelOn[0]) {
    // Only the first block is rebuilt, so make it the only channel.
    for (int16_t& on : h.ChannelOn) on = 0;
    h.ChannelOn[0] = 1;
  }
  h.ChannelCount = int16_t(ActiveChannels(p, s));
  p.Channels(s)[0] = store::IsW(s) ? store::FGW0 : store::FGB0;
  p.Freq(s)[0] = 0;
  float* x = p.Samples(s);
  for (int32_t k = 0; k < h.Length; ++k) x[k] = f(x[k], k, h.Length);
}

}  // namespace

void TMainWindow::LoadWorkFiles() {
  // A missing work file at the first start is not an error: no message.
  int32_t doMess = p_.DoMess;
  p_.DoMess = 0;
  store::CopyText(p_.DW_Name, "\\DATA\\WORK_W.W");
  if (!MemOK(p_, store::Store::W) || !files::ReadDataFileUtil(p_, store::FieldText(p_.WG.WaveWorkFile),
                                                              store::Store::W, false, -1, 0, false)) {
    if (MemOK(p_, store::Store::W)) {
      store::CopyText(p_.DW_Name, Txt(p_, 34));
      DemonstrationChannel(p_, store::Store::W, [](float, int32_t k, int32_t n) {
        return float(800.0 * std::sin(4.0 * kPi * double(k) / double(n)));
      });
    }
  }
  store::CopyText(p_.DM_Name, "\\DATA\\WORK_M.M");
  if (!MemOK(p_, store::Store::M) || !files::ReadDataFileUtil(p_, store::FieldText(p_.WG.MeasWorkFile),
                                                              store::Store::M, false, -1, 0, false)) {
    if (MemOK(p_, store::Store::M)) {
      DemonstrationChannel(p_, store::Store::M, [](float old, int32_t k, int32_t n) {
        return float(old + 500.0 * std::sin(2000.0 * kPi * double(k) / double(n)));
      });
    }
  }
  p_.DoMess = doMess;
}

void TMainWindow::FirstTickLoad() {
  FirstTick = 0;
  store::PG_s saved = p_.PG;
  p_.PG = store::PG0;
  (void)files::ReadWorkCalibration(p_);
  TS(p_, Txt(p_, 32) + " " + Txt(p_, 33));
  TM(p_, "  -");
  (void)files::ReadWorkFunctions(p_);
  (void)files::ReadWorkPrint(p_);
  (void)files::ReadWorkColours(p_);
  LoadWorkFiles();
  (void)files::ReadHistFile(p_, nullptr);
  p_.PG = saved;
  daq::Board_Init(p_);
  daq::InstallGenerator(p_);
  if (p_.PG.WWindows) DisplayWave(p_, store::Store::W, -1);
  if (p_.PG.MWindows) DisplayWave(p_, store::Store::M, -1);
  TS(p_, Txt(p_, 37));
  view_->LoadResources();
  p_.DoPanel = 1;
  p_.AfterAbout = 1;
}

void TMainWindow::WriteWorkJob() {
  int x = p_.DG.MainX, y = p_.DG.MainY;
  view_->Position(x, y);
  p_.DG.MainX = x;
  p_.DG.MainY = y;
  SaveWorkSet(p_);
}

}  // namespace app
