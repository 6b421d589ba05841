#include "daq/MonitoringLog.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "daq/RunState.h"
#include "dsp/Statistics.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace daq {
namespace {

void Append(std::string& line, const char* format, auto... args) {
  char text[64];
  int n = std::snprintf(text, sizeof text, format, args...);
  if (n > 0) line.append(text, size_t(std::min(n, int(sizeof text) - 1)));
}

// Statistics of one active channel's record; a record that does not lie
// within the sample array gives the zeroed record instead of a read past it.
dsp::Statistics ChannelStatistics(const state::Program& p, int64_t first, int32_t length) {
  dsp::Statistics st;
  if (!p.Waveform || length < 1 || first + length > int64_t(p.Waveform.size())) return st;
  (void)dsp::Statistika(p.Waveform.get() + first, 0, length - 1, st);
  return st;
}

std::string LogPath(const state::Program& p, bool text) {
  const char* name = text ? "\\DATA\\monit.txt" : "\\DATA\\monit.csv";
  if (p.plat.paths) return p.plat.paths->Resolve(name);
  return p.Path + (text ? "/DATA/monit.txt" : "/DATA/monit.csv");
}

}  // namespace

std::string MonitLine(const state::Program& p, const platform::LocalTime& t) {
  const int mode = p.WG.MonitorLog, format = p.WG.MonitorFormat;
  if (mode == 0) return {};
  const bool text = format == 1;
  const char* sep = text ? "" : ";";
  // A negative length (a damaged header) would print as a 20-digit number.
  const int32_t length = std::max<int32_t>(p.HGW.Length, 0);
  const float step = p.FGW ? p.FGW[0].Step : 0.0f;

  std::string line;
  if (format == 3) Append(line, "%05d;  ", int(p.WG.ExtStartCount));
  char date[16];
  std::snprintf(date, sizeof date, "%02d.%02d.%04d", t.day % 100, t.month % 100, t.year % 10000);
  Append(line, text ? "%s " : "%s; ", date);
  Append(line, "%02d:%02d:%02d%s", t.hour % 100, t.minute % 100, t.second % 100, sep);
  Append(line, "  %08lu%s", static_cast<unsigned long>(length), sep);
  Append(line, "  %05.3f%s", double(step), sep);
  Append(line, "  %03d%s", int(p.HGW.ChannelCount), sep);

  if (mode == 2) {
    int64_t first = 0;
    for (int i = 0; i < store::kChannels; ++i) {
      if (!p.HGW.ChannelOn[i]) continue;
      dsp::Statistics st = ChannelStatistics(p, first, length);
      first += length;
      Append(line, "    %03d%s", i + 1, sep);
      for (float v : {st.max, st.mean, st.min, st.sd}) Append(line, " %09.4f%s", double(v), sep);
    }
  }
  line += '\n';
  return line;
}

bool WriteMonit(state::Program& p) {
  platform::LocalTime now = p.plat.clock ? p.plat.clock->Now() : platform::LocalTime{};
  std::string line = MonitLine(p, now);
  if (line.empty()) return true;
  const std::string path = LogPath(p, p.WG.MonitorFormat == 1);

  // A full disk may only show when the buffer is flushed, so the close counts too.
  bool written = false;
  if (std::FILE* f = std::fopen(path.c_str(), "a")) {
    written = std::fwrite(line.data(), 1, line.size(), f) == line.size();
    written = (std::fclose(f) == 0) && written;
  }
  bool& failing = Runs(p).MonitLogFailing;
  if (written) {
    failing = false;
  } else if (!failing) {
    failing = true;
    state::Mess(p, state::Txt(p, 383) + "  : " + path, state::Txt(p, 14));
  }
  return written;
}

}  // namespace daq
