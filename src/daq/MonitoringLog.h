// The monitoring log of live records (`WriteMonit`): one line per record in
// DATA/monit.txt (text format 1) or DATA/monit.csv (the semicolon formats),
// as the WG log mode and format ask.
//
// The live acquisition of a waveform graph window calls WriteMonit at the end
// of every record, interrupted or not, after the record has been converted
// into the W store.
#pragma once

#include <string>

#include "platform/Clock.h"

namespace state {
struct Program;
}

namespace daq {

// The line for the W store's current record at time t, "\n" included;
// empty when the log is off (WG.MonitorLog 0).
[[nodiscard]] std::string MonitLine(const state::Program& p, const platform::LocalTime& t);

// Appends the line under the program directory. Answers false when the log
// could not be written; the first failure of a series is reported through the
// program's message path, the following ones stay quiet until a line is
// written again, so a run that logs every record is not stopped by a full
// disk or a read-only folder.
bool WriteMonit(state::Program& p);

}  // namespace daq
