// What the graph window's statistics panel, power panel and extremes list
// show and write: the rows for the panel and the report texts, written to
// "TEXTSTAT.TXT", "MAX.TXT" or "MIN.TXT" in the program directory and opened
// in the external editor (the program of general text 5). The window only
// draws the rows it is given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// One row of a panel as the window's `Pis` draws it.
struct PanelRow {
  float row = 0;  // half rows occur (19.5)
  std::string label;
  double value = 0;
  uint8_t red = 0, green = 0, blue = 0;
  const char* format = " %8.3f";  // one conversion of the value
};

struct Panel {
  std::string title;  // row −1
  std::vector<PanelRow> rows;
};

inline constexpr size_t kMaxReportBytes = 32767;  // the report buffer holds 32768 with its terminator

// Statistics of a channel (0-based) of a store over the whole channel or
// between the cursors of its graph settings (swapped when reversed, limited
// to the record): the panel and the TEXTSTAT.TXT report text. Answers 0 and
// leaves both empty when there is nothing to show (no data, equal cursors).
[[nodiscard]] int StatisticsPanel(state::Program& p, store::Store s, int channel, bool betweenCursors,
                                  Panel& panel, std::string& report);

// The statistics panel (codes kStatistics and kStatisticsCursors): the panel, and the report
// written to TEXTSTAT.TXT and opened in the editor.
[[nodiscard]] int ShowStat(state::Program& p, store::Store s, int channel, bool betweenCursors, Panel& panel);

// The power panel (codes kPowerPanel and kPowerPanelCursors) of W channel `channel` as voltage and
// the next channel as current, at 50 Hz. Answers 0 (empty panel) when the next
// channel is inactive or no period was found.
[[nodiscard]] int ShowStatEnergo(state::Program& p, int channel, bool betweenCursors, Panel& panel);

// The list of local maxima (Yes to general text 1385, and inside a macro) or
// minima between the cursors, written to MAX.TXT or MIN.TXT and opened in the
// editor. The cursors are not moved. `text`, when given, receives the list.
[[nodiscard]] int ShowStatMaxMin(state::Program& p, store::Store s, int channel, std::string* text = nullptr);

// Writes a report into the program directory (replacing the file) and opens
// it in the external editor; a file that cannot be written is reported
// (general text 398, title 13) and no editor starts. Answers 1 when written.
[[nodiscard]] int WriteReportFile(state::Program& p, std::string_view fileName, const std::string& text);

}  // namespace ops
