#include "store/Defaults.h"

#include <cstring>

#include "store/FixedText.h"

namespace store {
namespace {

IG_s MakeIG0() {
  IG_s r{};
  std::memcpy(r.IdText, kIdText, 20);
  r.MaxChannels = kChannels;
  return r;
}

Header_s MakeHeader(bool waveform) {
  Header_s h{};
  h.ChannelCount = 1;
  h.ChannelOn[0] = 1;
  h.Length = 128;
  h.IsWaveform = waveform ? 1 : 0;
  CopyText(h.Date, waveform ? "22.7.1992" : " ");
  CopyText(h.Comment, waveform ? "Waveform" : "Masured data");
  return h;
}

Channel_s MakeChannel0() {
  Channel_s c{};
  CopyText(c.Name, "No name");
  CopyText(c.Unit, "No ");
  c.PrefixCode = 4;
  CopyText(c.XUnit, "No U");
  c.Step = 1.0f;
  return c;
}

CG_s MakeCG0() {
  CG_s g{};
  g.IR = 127;
  g.IL = 0;
  g.Cur1 = 0;
  g.Cur2 = 127;
  g.HCur1 = g.XCur1 = g.SavHCur1 = g.SavXCur1 = 400.0f;
  g.SavCur2 = 127;
  g.LimIR = 127;
  g.LimVMax = g.LimXMax = 400.0f;
  g.MeasWin = 2;
  g.CursorCount = 2;
  g.CursorStyle = 1;
  g.TraceStyle = 1;  // lines
  g.DisplType = 2;
  g.BottomBar = 1;
  g.VScale = 1;
  g.ClearPlot = 1;
  g.DisplFlags = kDisplRightPanel | kDisplAutoscaleValues | kDisplAutoscaleWhole;
  g.XChan = 1;
  g.ClassWidth = 1.0f;
  g.VFullMax = g.VMax = g.VSavMax = 1200.0f;
  g.VFullMin = g.VMin = g.VSavMin = -1200.0f;
  g.XFullMax = g.XMax = 1200.0f;
  g.ShowMarkers = 1;
  g.WinRect[0] = 0;
  g.WinRect[1] = 250;
  g.WinRect[2] = 639;
  g.WinRect[3] = 590;
  g.CaptionBar = 1;
  g.MultiStep = 10.0f;
  return g;
}

// Converts codes to volts on input range 1 (+-10 V); 1 ms period, 1024 samples.
A_s MakeA0() {
  A_s a{};
  CopyText(a.Name, "No name");
  a.CalValue1 = -10.0f;
  a.CalValue2 = 10.0f;
  a.CalInput1 = -10.0f;
  a.CalInput2 = 10.0f;
  a.RangeIndex = 1;
  CopyText(a.Unit, "V");
  a.PrefixCode = 4;
  a.MPeriod = 1.0f;
  a.MLength = 1024;
  a.MRefresh = 2.0f;
  a.MStore = 1;
  a.MMax = 10.0f;
  a.MMin = -10.0f;
  a.TraceMax = 10.0f;
  a.TraceMin = -10.0f;
  a.WRepeatPeriod = 1.0f;
  a.WPeriod = 1.0f;
  a.WLength = 1024;
  a.DA1Max = 10.0f;
  a.DA1Min = -10.0f;
  a.DA2Max = 10.0f;
  a.DA2Min = -10.0f;
  return a;
}

M_s MakeM0() {
  M_s m{};
  m.GenShape = 2;
  m.GenLevelA = 1.0f;
  m.GenPeriod = 100.0f;
  m.GenDuty = 50.0f;
  return m;
}

MGlobals_s MakeMGlobals0() {
  MGlobals_s g{};
  g.GenRestA = -100.0f;
  g.GenRestB = -100.0f;
  return g;
}

MG_s MakeMG0() {
  MG_s g{};
  g.Acquire[0] = 1;
  g.WDisplay[0] = 1;
  g.MDisplay[0] = 1;
  return g;
}

PG_s MakePG0() {
  PG_s p{};
  p.WWindows = 1;  // a first start shows both stores
  p.MWindows = 1;
  p.WLCD = p.WLCF = p.MLCD = p.MLCF = 1.0f;
  p.WRight = 127;
  p.MRight = 127;
  p.WUpper = p.MUpper = 1000.0f;
  p.WLower = p.MLower = -1000.0f;
  p.RefChannel = 1;
  p.MemoryMode = kPgMemoryWave | kPgMemoryMeas;
  p.MTimeScale = 1.0f;
  p.UserTimeFactor = 1.0f;
  return p;
}

DG_s MakeDG0() {
  DG_s d{};
  CopyText(d.WaveMask, "\\DATA\\*.W");
  CopyText(d.MeasMask, "\\DATA\\*.M");
  CopyText(d.WaveWorkFile, "\\DATA\\WORK_W.W");
  CopyText(d.MeasWorkFile, "\\DATA\\WORK_M.M");
  CopyText(d.WaveExtMask, "*.W");
  CopyText(d.MeasExtMask, "*.M");
  CopyText(d.WaveTextMask, "*.WTX");
  CopyText(d.MeasTextMask, "*.MTX");
  CopyText(d.SetupMask, "\\SETUP\\*.SET");
  CopyText(d.MacroMask1, "\\MACRO\\*.MAC");
  CopyText(d.MacroMask2, "\\MACRO\\*.MAC");
  CopyText(d.MacroMask3, "\\MACRO\\*.MAC");
  CopyText(d.ExtMask, "\\EXT\\*.EXT");
  CopyText(d.JobMask, "\\JOB\\*.JOB");
  CopyText(d.JobFile, "\\JOB\\WORK.JOB");
  d.TotalSamples = 1048576;
  d.MaxLength = 1048576;
  d.MainX = 20;
  d.MainY = 20;
  d.Simulation = 1;  // most machines have no card: start simulating, switch off to use one
  d.Language = 1;
  d.Font.Height = 16;
  d.Font.Width = 7;
  d.Font.Weight = 300;
  CopyText(d.Font.FaceName, "Arial CE");
  return d;
}

WG_s MakeWG0() {
  WG_s w{};
  CopyText(w.LastWaveFile, "\\DATA\\WORK_W.W");
  CopyText(w.LastMeasFile, "\\DATA\\WORK_M.M");
  CopyText(w.WaveWorkFile, "\\DATA\\WORK_W.W");
  CopyText(w.MeasWorkFile, "\\DATA\\WORK_M.M");
  CopyText(w.FunctionFile, "\\FUNCTION\\USER.FUN");
  CopyText(w.ModifyMask, "\\MODIFY\\*.TXT");
  CopyText(w.MacroMask, "\\MACRO\\*.MAC");
  w.LivePointsPerRefresh = 100;
  w.MonitorFormat = 1;
  return w;
}

Marker_s MakeMarker0() {
  Marker_s m{};
  CopyText(m.Text, " - ");
  return m;
}

Prt_s MakePrt0() {
  Prt_s p{};
  p.Width = 700;
  p.Height = 500;
  p.ScaleFontHeight = 16;
  p.ScaleFontWidth = 7;
  p.TextFontHeight = 16;
  p.TextFontWidth = 7;
  return p;
}

Kal_s MakeKal0() {
  Kal_s k{};
  k.KalValue2 = 1.0f;
  k.KalLevel2 = 1.0f;
  return k;
}

}  // namespace

const IG_s IG0 = MakeIG0();
const Header_s HGW0 = MakeHeader(true);
const Header_s HGB0 = MakeHeader(false);
const Channel_s FGW0 = MakeChannel0();
const Channel_s FGB0 = MakeChannel0();
const CG_s CG0 = MakeCG0();
const A_s A0 = MakeA0();
const M_s M0 = MakeM0();
const MGlobals_s MGlobals0 = MakeMGlobals0();
const MG_s MG0 = MakeMG0();
const PG_s PG0 = MakePG0();
const DG_s DG0 = MakeDG0();
const WG_s WG0 = MakeWG0();
const Marker_s Marker0 = MakeMarker0();
const Prt_s Prt0 = MakePrt0();
const Fun_s Fun0{};
const Kal_s Kal0 = MakeKal0();

bool IsDecibelCode(int prefixCode) { return prefixCode >= 101; }

const char* PrefixEntry(int prefixCode) {
  int entry = IsDecibelCode(prefixCode) ? prefixCode - 101 : prefixCode - 1;
  if (entry < 0 || entry > 5) entry = 0;
  return Unit[entry];
}

}  // namespace store
