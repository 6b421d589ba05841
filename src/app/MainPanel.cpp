#include "app/MainPanel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "daq/CardState.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/FixedText.h"

namespace app {
namespace {

using platform::Canvas;
using platform::HAlign;
using platform::VAlign;

// Colours, 0x00BBGGRR.
constexpr uint32_t kGrey = 0xC0C0C0;
constexpr uint32_t kPressedGrey = 0xA8A8A8;
constexpr uint32_t kLightGrey = 0xE0E0E0;
constexpr uint32_t kDarkGrey = 0x808080;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kDarkBlue = 0x800000;
constexpr uint32_t kDarkRed = 0x000080;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kLightRed = 0x8080FF;
constexpr uint32_t kPink = 0xC0C0FF;
constexpr uint32_t kLightYellow = 0xC0FFFF;
constexpr uint32_t kGreen = 0x00C000;
constexpr uint32_t kLampOff = 0x404040;

// Region indices of the table below that the drawing refers to.
enum Region {
  kExit,
  kWWindows,
  kMWindows,
  kAcquisition,
  kChannels,
  kCardTest,
  kMacro,
  kStop,
  kCardState,
  kWaveformRun,
  kMeasurementRun,
  kRecorder,
  kHeartbeat,
  kRegionCount
};

constexpr PanelButton kButtons[kRegionCount] = {
    {9, 6, 61, 29, 207, "EXIT"},      {64, 7, 82, 23, 215, "W"},        {86, 7, 104, 23, 216, "M"},
    {108, 6, 189, 29, 205, "AS"},     {193, 6, 274, 29, 210, "MM"},     {278, 6, 337, 24, 209, "BS"},
    {279, 27, 337, 70, 200, "MACRO"}, {279, 77, 337, 100, 208, "STOP"}, {229, 48, 267, 86, 214, ""},
    {342, 27, 401, 109, 203, "QW"},   {406, 27, 465, 73, 202, "QM"},    {406, 75, 465, 91, 201, "TR"},
    {451, 6, 464, 19, 0, ""},
};

const char* const kTooltips[kRegionCount] = {
    "Ukončit program Tarvelin a uložit data do pracovních souborů work",
    "Otevřít / zavřít grafická okna se zobrazením rychlého měření *.W",
    "Otevřít / zavřít grafická okna se zobrazením pomalého měření *.M",
    "AS Dialog pro nastení parametrů měření",
    "MM Dialog pro nastavení výběru kanálů pro měření a zobrazení",
    "BS Dialog pro nastavení zařízení (jen některý HW)",
    "Spustit provádění makra - posloupnosti příkazů v textovém souboru",
    "STOP - zastav pomalé měření nebo makro, jen pokud běží",
    nullptr,  // by the card state
    "QW - Spustit rychlé měření dle nastavení v AS a MM dialogu",
    "QM - Spustit pomalé měření  dle nastavení v AS a MM dialogu",
    "Otevřít / zavřít trasovací okno pro pomalé měření",
    "Pokud značka bliká, Tarvelin dává prostor i jiným aplikacím ",
};

constexpr int kLineHeight = 16;
constexpr int kLineWidth = 456;
constexpr platform::Point kStatusAt{10, 112};
constexpr platform::Point kMacroAt{10, 145};
// The sampling frequency box and the card field.
constexpr int kFreqL = 10, kFreqT = 31, kFreqR = 180, kFreqB = 101;
constexpr int kCardL = 186, kCardT = 90, kCardR = 275, kCardB = 106;
constexpr int kMStateL = 186, kMStateT = 31, kMStateR = 275, kMStateB = 45;

const platform::Font kTextFont{16, 7, 300, 0, "Times New Roman"};
const platform::Font kButtonFont{13, 6, 700, 0, "Arial"};
const platform::Font kBoxFont{12, 5, 400, 0, "Arial"};

// The longest front of `text` (whole UTF-8 characters) that fits `width`.
std::string Fit(Canvas& c, std::string_view text, int width) {
  if (c.TextWidth(text) <= width) return std::string(text);
  size_t n = text.size();
  while (n > 0) {
    do --n;
    while (n > 0 && (uint8_t(text[n]) & 0xC0) == 0x80);
    if (c.TextWidth(text.substr(0, n)) <= width) break;
  }
  return std::string(text.substr(0, n));
}

// `text` broken at blanks into lines that fit `width`; a word longer than a
// line is cut.
std::vector<std::string> Wrap(Canvas& c, std::string_view text, int width) {
  std::vector<std::string> lines;
  std::string line;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find(' ', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    std::string joined = line.empty() ? std::string(word) : line + " " + std::string(word);
    if (c.TextWidth(joined) <= width) {
      line = joined;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    line = Fit(c, word, width);
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// A raised (or, pressed, sunken) box; right and bottom inclusive.
void Box(Canvas& c, int l, int t, int r, int b, uint32_t face, bool pressed) {
  c.FillRect(l, t, r + 1, b + 1, face);
  uint32_t lit = pressed ? kDarkGrey : kWhite;
  uint32_t shade = pressed ? kWhite : kDarkGrey;
  c.SetPen(lit, 1);
  c.Line({l, b}, {l, t});
  c.Line({l, t}, {r, t});
  c.SetPen(shade, 1);
  c.Line({r, t}, {r, b});
  c.Line({r, b}, {l, b});
}

// `AC_Plastic_Text`: a raised 16-pixel line with its text, cut to fit.
void PlasticText(Canvas& c, platform::Point at, int width, std::string_view text, uint32_t ink,
                 uint32_t face) {
  Box(c, at.x, at.y, at.x + width - 1, at.y + kLineHeight - 1, face, false);
  c.SetFont(kTextFont);
  c.SetTextColor(ink);
  c.Text({at.x + 4, at.y + kLineHeight / 2}, Fit(c, text, width - 8), HAlign::Left, VAlign::Center);
}

void Lamp(Canvas& c, int l, int t, int size, uint32_t colour) {
  c.SetPen(kBlack, 1);
  c.SetBrush(colour);
  c.Ellipse(l, t, l + size, t + size);
}

void Button(Canvas& c, const PanelButton& b, bool pressed) {
  Box(c, b.left, b.top, b.right, b.bottom, pressed ? kPressedGrey : kGrey, pressed);
  if (!*b.label) return;
  c.SetFont(kButtonFont);
  c.SetTextColor(kBlack);
  int shift = pressed ? 1 : 0;
  c.Text({(b.left + b.right) / 2 + shift, (b.top + b.bottom) / 2 + shift}, b.label, HAlign::Center,
         VAlign::Center);
}

const daq::CardState* CardOf(const Program& p) { return p.CardData.get(); }

// The sampling frequency box, or what replaces it during a run or an armed
// external start.
void FrequencyBox(const Program& p, Canvas& c) {
  bool external = p.QW_EXT == 1;
  bool repeating = p.QW != 0 && !external;
  Box(c, kFreqL, kFreqT, kFreqR, kFreqB, repeating ? kPink : kGrey, true);
  std::string first, second;
  if (external) {
    first = TxtF(p, 1428, {int(p.WG.ExtStartCount)});
    second = " START - kontakt na DI";
  } else if (repeating) {
    first = "QW, opakované měření";
    second = Txt(p, 1426);
  } else {
    double period = p.RefA().WPeriod;
    // A period read from a job file may be anything; no frequency then.
    bool valid = std::isfinite(period) && period > 0;
    first = valid ? TxtF(p, 1305, {1.0 / (0.001 * period)}) : std::string("---");
    second = Txt(p, 1306);
  }
  // Each text on its own lines, as many as the box holds, centred.
  c.SetFont(kBoxFont);
  c.SetTextColor(kBlack);
  const int width = kFreqR - kFreqL - 8, lineHeight = kBoxFont.height + 2;
  const int maxLines = (kFreqB - kFreqT - 4) / lineHeight;
  std::vector<std::string> lines = Wrap(c, first, width);
  for (std::string& l : Wrap(c, second, width)) lines.push_back(std::move(l));
  if (int(lines.size()) > maxLines) lines.resize(size_t(maxLines));
  int y = (kFreqT + kFreqB) / 2 - int(lines.size()) * lineHeight / 2 + lineHeight / 2;
  for (const std::string& l : lines) {
    c.Text({(kFreqL + kFreqR) / 2, y}, l, HAlign::Center, VAlign::Center);
    y += lineHeight;
  }
}

void CardFieldBox(const Program& p, Canvas& c) {
  std::string text;
  uint32_t face = kGrey;
  switch (CardFieldState(p)) {
    case CardField::Simulation:
      text = "SIMULACE";
      break;
    case CardField::NoCard:
      text = "HW nenalezen";
      face = kRed;
      break;
    case CardField::Card:
      text = CardOf(p) ? store::FieldText(CardOf(p)->CardName) : std::string();
      face = kLightYellow;
      break;
  }
  Box(c, kCardL, kCardT, kCardR, kCardB, face, true);
  c.SetFont(kBoxFont);
  c.SetTextColor(kBlack);
  c.Text({(kCardL + kCardR) / 2, (kCardT + kCardB) / 2}, Fit(c, text, kCardR - kCardL - 6), HAlign::Center,
         VAlign::Center);
  // The card state button shows the same state as a coloured face.
  const PanelButton& b = kButtons[kCardState];
  Box(c, b.left, b.top, b.right, b.bottom, face, false);
  c.SetFont(kButtonFont);
  c.SetTextColor(kBlack);
  const char* mark = CardFieldState(p) == CardField::Simulation ? "SIM" : "HW";
  c.Text({(b.left + b.right) / 2, (b.top + b.bottom) / 2}, mark, HAlign::Center, VAlign::Center);
}

// The measurement store: its length, and during a run the points taken.
void MeasurementState(const Program& p, Canvas& c) {
  std::string text = "M: -";
  if (p.Buffer) {
    int32_t length = p.HGB.Length;
    text = "M: " + std::to_string(length);
    if (p.QM && p.Bindx >= 0)
      text = "M: " + std::to_string(int64_t(p.Bindx) + 1) + " / " + std::to_string(length);
  }
  Box(c, kMStateL, kMStateT, kMStateR, kMStateB, kLightGrey, true);
  c.SetFont(kBoxFont);
  c.SetTextColor(kBlack);
  c.Text({kMStateL + 4, (kMStateT + kMStateB) / 2}, Fit(c, text, kMStateR - kMStateL - 8), HAlign::Left,
         VAlign::Center);
}

}  // namespace

std::span<const PanelButton> PanelButtons() { return kButtons; }

int PanelButtonAt(int x, int y) {
  for (int i = 0; i < kRegionCount; ++i) {
    const PanelButton& b = kButtons[i];
    if (x >= b.left && x <= b.right && y >= b.top && y <= b.bottom) return i;
  }
  return -1;
}

int PanelCommandAt(int x, int y) {
  int i = PanelButtonAt(x, y);
  return i < 0 ? 0 : kButtons[i].command;
}

CardField CardFieldState(const Program& p) {
  if (p.DG.Simulation) return CardField::Simulation;
  return p.BoardPresent ? CardField::Card : CardField::NoCard;
}

PanelTooltip PanelTooltipOf(const Program& p, int button) {
  if (button < 0 || button >= kRegionCount) return {};
  if (button == kHeartbeat) return {kTooltips[kHeartbeat], "Tarvelin info"};
  if (button == kCardState) {
    switch (CardFieldState(p)) {
      case CardField::Simulation:
        return {"SIMULAČNÍ REŽIM, nyní lze přepnout do měřícího režimu", ""};
      case CardField::NoCard:
        return {"Karta nebyla detekována, doporučujeme přepnout do simulačního režimu", ""};
      case CardField::Card:
        return {"HW detekován a pracuje správně, lze přepnout i do simulačního režimu", ""};
    }
  }
  return {kTooltips[button], ""};
}

void PaintPanel(const Program& p, Canvas& c, int held) {
  c.SetXor(false);
  c.FillRect(0, 0, c.Width(), c.Height(), kGrey);
  bool busy = p.QW || p.QM || p.MacGoing;
  for (int i = 0; i < kRegionCount; ++i) {
    if (i == kCardState || i == kHeartbeat) continue;
    bool pressed = i == held;
    if (i == kStop) pressed = pressed || busy;
    if (i == kWWindows) pressed = pressed || AnyWindowOpen(p, store::Store::W);
    if (i == kMWindows) pressed = pressed || AnyWindowOpen(p, store::Store::M);
    if (i == kMacro) pressed = pressed || p.MacGoing;
    Button(c, kButtons[i], pressed);
  }
  // The run lamps sit in the lower part of their buttons.
  const PanelButton& qw = kButtons[kWaveformRun];
  Lamp(c, (qw.left + qw.right) / 2 - 6, qw.bottom - 18, 12, p.QW ? kRed : kLampOff);
  const PanelButton& qm = kButtons[kMeasurementRun];
  Lamp(c, qm.right - 16, qm.bottom - 16, 12, p.QM ? kGreen : kLampOff);
  FrequencyBox(p, c);
  MeasurementState(p, c);
  CardFieldBox(p, c);
  PaintStatusLine(p, c);
  PaintMacroLine(p, c);
}

void PaintStatusLine(const Program& p, Canvas& c) {
  PlasticText(c, kStatusAt, kLineWidth, store::FieldText(p.Status), kDarkBlue, kLightGrey);
}

void PaintMacroLine(const Program& p, Canvas& c) {
  PlasticText(c, kMacroAt, kLineWidth, store::FieldText(p.MacroSt), kDarkRed, kGrey);
}

void PaintHeartbeat(const Program& p, Canvas& c, int count) {
  const PanelButton& b = kButtons[kHeartbeat];
  c.FillRect(b.left, b.top, b.right + 1, b.bottom + 1, kGrey);
  if (count <= 0) {
    const daq::CardState* card = CardOf(p);
    bool driver = card && card->Driver_Inicializovan;
    bool output = card && card->DA_going;
    Lamp(c, b.left, b.bottom - 6, 6, driver ? kRed : kBlack);
    Lamp(c, b.right - 6, b.bottom - 6, 6, output ? kLightRed : kBlack);
    return;
  }
  int half = std::min(count, 5) + 1;
  int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
  uint32_t colour = p.QW ? kRed : p.QM ? kGreen : kWhite;
  c.FillRect(cx - half, cy - half, cx + half + 1, cy + half + 1, colour);
}

}  // namespace app
