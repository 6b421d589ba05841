#include "ops/StatisticsReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "dsp/LocalExtremum.h"
#include "dsp/Statistics.h"
#include "files/AtomicFile.h"
#include "ops/ChannelView.h"
#include "ops/Power.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreUtilities.h"
#include "store/FixedText.h"

namespace ops {

namespace {

constexpr int kMaxExtremes = 1000;

// One value through a constant format of this file.
std::string Format(const char* format, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

void Append(std::string& report, std::string_view text) {
  if (report.size() >= kMaxReportBytes) return;
  report.append(text.substr(0, kMaxReportBytes - report.size()));
}

// The time factor of the cursor times: the user's factor when the window asks
// for it (bit 0 of the flag byte at 163).
double TimeFactor(const state::Program& p, const store::CG_s& g) {
  return (g.DisplFlags & store::kDisplUserTime) ? double(p.PG.UserTimeFactor) : 1.0;
}

double ScaledTime(state::Program& p, store::Store s, int channel, const ChannelView& v, const store::CG_s& g,
                  int64_t index) {
  return state::CursorToTime(p, s, index, v.length, double(v.step), channel) * TimeFactor(p, g);
}

// The cursor range of a channel, ordered and limited to the record; false
// when it holds no more than one position.
bool CursorRange(const store::CG_s& g, int64_t n, int64_t& a, int64_t& b) {
  a = g.Cur1;
  b = g.Cur2;
  if (a > b) std::swap(a, b);
  a = std::clamp<int64_t>(a, 0, n - 1);
  b = std::clamp<int64_t>(b, 0, n - 1);
  return a != b;
}

std::string BetweenTitle(const std::string& label, double t1, double t2, bool spectrum) {
  char buf[256];
  std::snprintf(buf, sizeof buf, "%s %6.2e,%6.2e %s", label.c_str(), t1, t2, spectrum ? "Hz" : "s");
  return buf;
}

std::string ChannelLine(state::Program& p, int channel) {
  const store::Channel_s& c = p.FGW[size_t(channel)];
  return state::TxtF(p, 1327, {channel + 1, store::FieldText(c.Name), store::FieldText(c.Unit)});
}

}  // namespace

int StatisticsPanel(state::Program& p, store::Store s, int channel, bool betweenCursors, Panel& panel,
                    std::string& report) {
  panel = Panel{};
  report.clear();
  ChannelView v = ViewChannel(p, s, channel);
  store::CG_s* graphs = p.Graphs(s);
  if (!v || !graphs) return 0;
  const store::CG_s& g = graphs[channel];
  int64_t a = 0, b = v.length - 1;
  if (betweenCursors && !CursorRange(g, v.length, a, b)) return 0;
  dsp::Statistics stats;
  (void)dsp::Statistika(v.data, a, b, stats);  // a and b lie inside the record

  double t1 = 0, t2 = 0;
  if (betweenCursors) {
    t1 = ScaledTime(p, s, channel, v, g, a);
    t2 = ScaledTime(p, s, channel, v, g, b);
    panel.title = BetweenTitle(state::Txt(p, 555), t1, t2, v.spectrum);
  } else {
    panel.title = state::Txt(p, 554);
  }
  struct Item {
    int text;
    float value;
    uint8_t r, g, b;
  };
  const Item items[] = {
      {198, stats.max, 127, 0, 0},        {199, stats.min, 127, 0, 0},  {200, stats.range, 127, 0, 0},
      {201, stats.mean, 0, 0, 127},       {202, stats.rms, 0, 0, 127},  {203, stats.meanSquare, 0, 0, 127},
      {204, stats.variance, 0, 127, 127}, {205, stats.sd, 0, 127, 127}, {675, stats.sum, 127, 127, 127},
      {206, stats.count, 0, 127, 0},      {207, v.step, 0, 127, 0}};
  float row = 0;
  for (const Item& it : items)
    panel.rows.push_back({row++, state::Txt(p, it.text), double(it.value), it.r, it.g, it.b, " %10.4e"});

  // Two-point readout of the horizontal cursor values.
  bool twoPoint = g.CursorStyle == 1 && (g.DisplFlags & store::kDisplSlopeLine);
  double readout[6] = {};
  if (twoPoint) {
    double c1 = double(g.Cur1) * v.step, c2 = double(g.Cur2) * v.step;
    double y1 = g.HCur1, y2 = g.HCur2;
    double slope = c2 != c1 ? (y2 - y1) / (c2 - c1) : 0.0;
    double angle = c2 != c1 ? std::atan(slope) * 57.29577950560105 : 0.0;
    const double values[6] = {c1, y1, c2, y2, slope, angle};
    for (int k = 0; k < 6; ++k) {
      readout[k] = values[k];
      panel.rows.push_back({float(12 + k), state::Txt(p, 1331 + k), values[k], 0, 0, 0, " %7.2f"});
    }
  }

  // The report. The heading lines 1328 and 1325 end with a line break here:
  // without one the heading would run into the first value and the closing
  // text into the readout heading.
  Append(report, state::Txt(p, 1324));
  Append(report, "\n\n");
  if (betweenCursors) {
    Append(report, state::TxtF(p, 1326, {t1, t2}));
    Append(report, "\n");
  }
  if (store::IsW(s)) {
    Append(report, ChannelLine(p, channel));
    Append(report, "\n");
    Append(report, "\n\n");
  }
  Append(report, state::Txt(p, 1328));
  Append(report, "\n");
  auto line = [&](double value, int text) {
    Append(report, Format(" %+012f", value));
    Append(report, "\t\t");
    Append(report, state::Txt(p, text));
    Append(report, "\n");
  };
  const std::pair<float, int> order[] = {{stats.mean, 201},       {stats.sd, 205},       {stats.max, 198},
                                         {stats.min, 199},        {stats.range, 200},    {stats.rms, 202},
                                         {stats.meanSquare, 203}, {stats.variance, 204}, {stats.sum, 675},
                                         {stats.count, 206},      {v.step, 207}};
  for (const auto& [value, text] : order) line(value, text);
  Append(report, state::Txt(p, 1325));
  Append(report, "\n");
  if (twoPoint) {
    Append(report, state::Txt(p, 1330));
    Append(report, "\n\n");
    for (int k = 0; k < 6; ++k) line(readout[k], 1331 + k);
  }
  return 1;
}

int ShowStat(state::Program& p, store::Store s, int channel, bool betweenCursors, Panel& panel) {
  std::string report;
  if (!StatisticsPanel(p, s, channel, betweenCursors, panel, report)) return 0;
  (void)WriteReportFile(p, "TEXTSTAT.TXT", report);
  return 1;
}

int ShowStatEnergo(state::Program& p, int channel, bool betweenCursors, Panel& panel) {
  panel = Panel{};
  if (channel < 0 || channel + 1 >= store::kChannels || !p.CGW) return 0;
  ChannelView u = ViewChannel(p, store::Store::W, channel);
  if (!u || !ViewChannel(p, store::Store::W, channel + 1)) return 0;
  const store::CG_s& g = p.CGW[size_t(channel)];
  int64_t a = 0, b = u.length - 1;
  if (betweenCursors && !CursorRange(g, u.length, a, b)) return 0;
  dsp::PowerResults r;
  if (!Faze_UI(p, channel, channel + 1, betweenCursors, int32_t(a), int32_t(b), 50.0f, r)) return 0;
  if (betweenCursors) {
    panel.title = BetweenTitle(state::Txt(p, 557), ScaledTime(p, store::Store::W, channel, u, g, a),
                               ScaledTime(p, store::Store::W, channel, u, g, b), u.spectrum);
  } else {
    panel.title = state::Txt(p, 556);
  }
  double c = r.cosPhi, s = r.sinPhi;
  struct Item {
    float row;
    int text;
    double value;
    uint8_t r, g, b;
    const char* format;
  };
  const Item items[] = {
      {0, 545, r.R(7), 0, 0, 255, " %8.3f"},       {1, 549, r.R(15), 0, 0, 255, " %8.3f"},
      {2, 547, r.R(13), 0, 0, 255, " %8.3f"},      {3, 546, r.R(8), 0, 0, 128, " %8.3f"},
      {4, 550, r.R(16), 0, 0, 64, " %8.3f"},       {5, 548, r.R(14), 0, 0, 64, " %8.3f"},
      {6, 564, r.R(17), 128, 128, 128, " %8.3f"},  {7, 566, r.R(17) * c, 0, 0, 0, " %8.3f"},
      {8, 567, r.R(17) * s, 0, 0, 0, " %8.3f"},    {9, 565, r.R(18), 128, 128, 128, " %10.5f"},
      {10, 566, r.R(18) * c, 0, 0, 0, " %10.5f"},  {11, 567, r.R(18) * s, 0, 0, 0, " %10.5f"},
      {12, 537, r.R(4), 128, 64, 0, " %8.3f"},     {13, 538, r.R(1), 128, 0, 0, " %8.3f"},
      {14, 539, r.R(2), 128, 0, 0, " %8.3f"},      {15, 542, r.R(9), 0, 128, 128, " %8.3f"},
      {16, 543, r.R(11), 0, 128, 128, " %8.3f"},   {17, 544, r.R(10), 0, 128, 128, " %8.3f"},
      {18, 551, r.R(12), 0, 128, 0, " %8.3f"},     {19.5f, 540, r.R(5), 128, 128, 0, " %8.3f"},
      {20.5f, 541, r.R(6), 128, 128, 0, " %8.3f"},
  };
  for (const Item& it : items)
    panel.rows.push_back({it.row, state::Txt(p, it.text), it.value, it.r, it.g, it.b, it.format});
  return 1;
}

int ShowStatMaxMin(state::Program& p, store::Store s, int channel, std::string* text) {
  ChannelView v = ViewChannel(p, s, channel);
  store::CG_s* graphs = p.Graphs(s);
  if (!v || !graphs) return 0;
  const store::CG_s& g = graphs[channel];
  bool maxima = p.MacGoing || state::AskT(p, 1385, 15) == platform::Answer::Yes;

  int64_t n = v.length;
  int64_t c1 = std::clamp<int64_t>(std::min(g.Cur1, g.Cur2), 0, n - 1);
  int64_t c2 = std::clamp<int64_t>(std::max(g.Cur1, g.Cur2), 0, n - 1);
  int64_t il = std::clamp<int64_t>(g.IL, 0, n - 1), ir = std::clamp<int64_t>(g.IR, 0, n - 1);
  if (ir <= il) {
    il = 0;
    ir = n - 1;
  }

  std::string out;
  out.append(state::Txt(p, maxima ? 1383 : 1384));
  out.append("\n\n");
  out.append(
      state::TxtF(p, 1326, {ScaledTime(p, s, channel, v, g, c1), ScaledTime(p, s, channel, v, g, c2)}));
  out.append("\n");
  if (store::IsW(s)) {
    out.append(ChannelLine(p, channel));
    out.append("\n");
  }
  out.append("\n");
  out.append(state::Txt(p, 1381));
  out.append(state::Txt(p, 1382));
  out.append("\n");

  // The walk wraps at the end of the shown range; an extremum that is not
  // further on than the last one means the walk came round, and ends the list
  // as reaching cursor 2 does.
  int64_t cur = c1;
  for (int entry = 1; entry <= kMaxExtremes; ++entry) {
    int64_t k = dsp::NextLocalExtremum(v.data, il, ir, cur, maxima);
    if (k < 0 || k <= cur || k > c2) break;
    char line[160];
    std::snprintf(line, sizeof line, "%03d   %09lu   %010.3f   %+010.3f  ", entry,
                  static_cast<unsigned long>(k), ScaledTime(p, s, channel, v, g, k), double(v.data[k]));
    out.append(line);
    out.append("\n");
    cur = k;
    if (k == c2) break;
  }
  (void)WriteReportFile(p, maxima ? "MAX.TXT" : "MIN.TXT", out);
  if (text) *text = std::move(out);
  return 1;
}

int WriteReportFile(state::Program& p, std::string_view fileName, const std::string& text) {
  std::string path = p.plat.paths ? p.plat.paths->Resolve(fileName) : p.Path + "/" + std::string(fileName);
  files::AtomicWriter w;
  if (!w.Open(path) || !w.Write(text.data(), text.size()) || !w.Commit()) {
    // Said aloud: a macro that asked for the report must not end as if it had it.
    state::Mess(p, state::Txt(p, 398) + "  : " + path, state::Txt(p, 13));
    return 0;
  }
  std::string editor = state::Txt(p, 5);
  if (p.plat.process && !editor.empty()) p.plat.process->Start({editor, path});
  return 1;
}

}  // namespace ops
