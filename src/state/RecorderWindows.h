// The recorder windows of the measurement run: a trend of the whole record
// (`GrafWin1`) and a screen of its latest points (`GrafWin2`), both of the
// reference channel, kept in per-channel tables like the graph windows.
#pragma once

#include "platform/WindowHost.h"

namespace state {

struct Program;

// Which recorder a window is; the numbers name the tables.
enum class RecorderKind : int { Trend = 1, Screen = 2 };

// The 0-based channel the recorders follow: the reference channel.
[[nodiscard]] int RecorderChannel(const Program& p);
// Whether the reference channel's options ask for this kind of recorder
// (storing, and the trend or the screen option).
[[nodiscard]] bool RecorderWanted(const Program& p, RecorderKind kind);
[[nodiscard]] bool AnyRecorderOpen(const Program& p);

// `GoGrafWinProc`: closes the recorder windows when any is open, else opens
// those the reference channel asks for (the status line says why none
// opened). Opening while a macro runs suspends it until their first paint.
void GoGrafWinProc(Program& p);
// Opens the wanted recorders that are not open yet (a run that asks for them).
void OpenRecorderWindows(Program& p);
void CloseRecorderWindows(Program& p);
// Closes one recorder window (its own close button); nothing when unknown.
void CloseRecorderWindow(Program& p, platform::GraphWindow& window);
// A user message at once to every open recorder window.
void SendToRecorderWindows(Program& p, int code, int arg = 0);

}  // namespace state
