// The main window's panel: where its buttons are, which internal command
// each issues, what its tooltip says, and how the panel, the status and macro
// lines and the heartbeat are drawn. The desktop widget only hosts this.
#pragma once

#include <span>
#include <string>

#include "platform/Canvas.h"

namespace state {
struct Program;
}

namespace app {

using state::Program;

inline constexpr int kMainClientWidth = 479;
inline constexpr int kMainClientHeight = 223;

// A panel region in client pixels, bounds inclusive.
struct PanelButton {
  int left, top, right, bottom;
  int command;        // internal command issued on release; 0: none
  const char* label;  // drawn on the button
};

// Every panel region in table order (the heartbeat last, without a command).
std::span<const PanelButton> PanelButtons();
// Index of the region at (x, y), or -1.
int PanelButtonAt(int x, int y);
// Internal command of the button at (x, y), or 0 when there is none.
int PanelCommandAt(int x, int y);

// What the card field shows.
enum class CardField { Simulation, NoCard, Card };
CardField CardFieldState(const Program& p);

struct PanelTooltip {
  std::string text;
  std::string title;  // empty: the tooltip has no title line
};
// The tooltip of region `button` (from PanelButtonAt); empty text for -1.
PanelTooltip PanelTooltipOf(const Program& p, int button);

// The whole panel, then the status and macro lines. `held`: the region the
// mouse holds down (drawn pressed), -1 none.
void PaintPanel(const Program& p, platform::Canvas& c, int held = -1);
void PaintStatusLine(const Program& p, platform::Canvas& c);
void PaintMacroLine(const Program& p, platform::Canvas& c);
// count 5 down to 1: a shrinking square; 0: the driver and output lamps.
void PaintHeartbeat(const Program& p, platform::Canvas& c, int count);

}  // namespace app
