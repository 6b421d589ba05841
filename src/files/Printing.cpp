#include "files/Printing.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

#include "files/DataFileFormat.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/Utilities.h"

namespace files {
namespace {

// A text file on paper is read whole; anything larger is no listing.
constexpr std::streamoff kMaxTextFile = 4 << 20;
constexpr int kMaxTextPages = 500;
constexpr int kPageMargin = 60;

template <typename T>
bool Clamp(T& v, int lo, int hi) {
  const T old = v;
  v = T(std::clamp<int>(v, lo, hi));
  return v != old;
}

std::string PrintTitle(const state::Program& p) { return state::Lang(p, "Tisk", "Print"); }

// The file's lines; false with a message when it is missing, too long or
// not text (a NUL byte, or many control characters at its start).
bool ReadTextLines(state::Program& p, const std::string& name, std::vector<std::string>& lines) {
  const std::string path = ResolveDataName(p, name);
  std::ifstream in(path, std::ios::binary);
  std::error_code ec;
  const auto size = std::filesystem::is_regular_file(path, ec) ? std::filesystem::file_size(path, ec) : 0;
  if (!in || ec) {
    state::Mess(
        p,
        std::string(state::Lang(p, "Textový soubor nelze otevřít: ", "Cannot open the text file: ")) + name,
        state::Txt(p, 13));
    return false;
  }
  if (std::streamoff(size) > kMaxTextFile) {
    state::Mess(p,
                std::string(state::Lang(p, "Textový soubor je pro tisk příliš dlouhý: ",
                                        "The text file is too long to print: ")) +
                    name,
                state::Txt(p, 13));
    return false;
  }
  std::string text(size_t(size), '\0');
  in.read(text.data(), std::streamsize(size));
  text.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
  size_t controls = 0;
  const size_t head = std::min<size_t>(text.size(), 4096);
  for (size_t i = 0; i < head; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0) controls = head;
    if (c < 32 && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != 26) ++controls;
  }
  if (controls * 10 > head && head > 0) {
    state::Mess(
        p,
        std::string(state::Lang(p, "Soubor není textový, netiskne se: ", "Not a text file, not printed: ")) +
            name,
        state::Txt(p, 13));
    return false;
  }
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c == '\t') {
      line.append(8 - line.size() % 8, ' ');
    } else if (c != '\r' && c != 26) {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return true;
}

platform::Font TextCell(const state::Program& p) {
  platform::Font f;
  f.face = "Courier New";
  if (p.Prt) {
    f.height = std::clamp<int>(p.Prt[0].TextFontHeight, kMinTextCell, kMaxTextCell);
    f.width = std::clamp<int>(p.Prt[0].TextFontWidth, kMinTextCell / 2, kMaxTextCell);
  }
  return f;
}

}  // namespace

bool SanePrintSettings(state::Program& p) {
  if (!p.Prt) return false;
  store::Prt_s& r = p.Prt[0];
  const int16_t w = r.Width, h = r.Height;
  const bool size =
      Clamp(r.Width, kMinPrintSize, kMaxPrintSize) | Clamp(r.Height, kMinPrintSize, kMaxPrintSize);
  Clamp(r.X, 0, kMaxPrintOffset);
  Clamp(r.Y, 0, kMaxPrintOffset);
  Clamp(r.TextX, 0, kMaxPrintOffset);
  Clamp(r.TextY, 0, kMaxPrintOffset);
  Clamp(r.TextFontHeight, kMinTextCell, kMaxTextCell);
  Clamp(r.TextFontWidth, kMinTextCell / 2, kMaxTextCell);
  Clamp(r.ScaleFontHeight, kMinScaleCell, kMaxScaleCell);
  Clamp(r.ScaleFontWidth, kMinScaleCell / 2, kMaxScaleCell);
  r.TextFile[sizeof r.TextFile - 1] = '\0';
  if (size) {
    char text[200];
    std::snprintf(text, sizeof text,
                  state::Lang(p, "Rozměr grafu pro tisk %d × %d px upraven na %d × %d px (%d až %d).",
                              "The print size %d × %d px was changed to %d × %d px (%d to %d)."),
                  w, h, r.Width, r.Height, kMinPrintSize, kMaxPrintSize);
    state::Mess(p, text, state::Txt(p, 11));
  }
  return true;
}

std::string NextPrintFile(state::Program& p) {
  const int n = ++p.PrintJobsDone;
  if (!p.PrintToName.empty()) {
    if (n == 1) return p.PrintToName;
    std::filesystem::path f(p.PrintToName);
    const std::string stem = f.stem().string(), ext = f.extension().string();
    return (f.parent_path() / (stem + "_" + std::to_string(n) + (ext.empty() ? ".pdf" : ext))).string();
  }
  for (int k = 1; k < 100000; ++k) {
    char name[40];
    std::snprintf(name, sizeof name, "\\DATA\\PRINT_%03d.pdf", k);
    const std::string path = ResolveDataName(p, name);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return path;
  }
  return ResolveDataName(p, "\\DATA\\PRINT.pdf");
}

bool OpenPrint(state::Program& p) {
  if (p.PrintJobNow) return true;
  if (!p.OpenPrintJob) {
    state::ShowNotAvailable(p, "Tisk (bez tiskové podpory)", "Printing (no print support in this build)");
    return false;
  }
  platform::PrintTarget t;
  if (p.PrintToFile) t.pdfFile = NextPrintFile(p);
  t.ask = !p.MacGoing && !p.PrintToFile;
  t.question = state::Txt(p, 1238);
  t.title = state::Txt(p, 15);
  if (!t.ask && t.pdfFile.empty()) {
    // A macro prints without asking; without a printer it still leaves the page.
    t.fallbackPdf = NextPrintFile(p);
  }
  p.PrintJobNow = p.OpenPrintJob(t);
  // A file that cannot be written is a failure; a declined printer is not.
  if (!p.PrintJobNow && !t.pdfFile.empty())
    state::Mess(
        p,
        std::string(state::Lang(p, "Soubor PDF nelze zapsat: ", "Cannot write the PDF file: ")) + t.pdfFile,
        state::Txt(p, 13));
  return p.PrintJobNow != nullptr;
}

bool ClosePrint(state::Program& p) {
  if (!p.PrintJobNow) return false;
  std::unique_ptr<platform::PrintJob> job = std::move(p.PrintJobNow);
  const std::string where = job->Where();
  if (!job->Finish()) {
    state::Mess(p, std::string(state::Lang(p, "Tisk se nepodařil: ", "Printing failed: ")) + where,
                state::Txt(p, 13));
    return false;
  }
  const std::string done = std::string(state::Lang(p, "Vytištěno: ", "Printed: ")) + where;
  state::TS(p, done);
  // Without a display the file is the only trace of the print: say where it is.
  if (p.PrintToFile) state::Mess(p, done, PrintTitle(p));
  return true;
}

bool PrintDrawing(state::Program& p, int phase, const std::function<void(platform::Canvas&)>& draw) {
  if (!OpenPrint(p)) return false;
  if (phase != kPrintOpen && draw) draw(p.PrintJobNow->Page());
  if (phase == kPrintWhole || phase == kPrintLast) return ClosePrint(p);
  return true;
}

bool DrawTextBlock(state::Program& p, platform::Canvas& dc, const std::string& name, int x, int y) {
  std::vector<std::string> lines;
  if (!ReadTextLines(p, name, lines)) return false;
  const platform::Font f = TextCell(p);
  dc.SetFont(f);
  dc.SetTextColor(0);
  for (const std::string& line : lines) {
    if (y + f.height > dc.Height()) break;
    if (!line.empty()) dc.Text({x, y}, line, platform::HAlign::Left, platform::VAlign::Top);
    y += f.height;
  }
  return true;
}

bool PrintTextFile(state::Program& p, const std::string& name) {
  std::vector<std::string> lines;
  if (!ReadTextLines(p, name, lines)) return false;
  if (!OpenPrint(p)) return false;
  const platform::Font f = TextCell(p);
  size_t next = 0;
  for (int page = 0; page < kMaxTextPages; ++page) {
    if (page > 0 && !p.PrintJobNow->NewPage()) break;
    platform::Canvas& dc = p.PrintJobNow->Page();
    const int perPage = std::max(1, (dc.Height() - 2 * kPageMargin) / f.height);
    dc.SetFont(f);
    dc.SetTextColor(0);
    dc.Text({kPageMargin, kPageMargin / 2}, store::FileNameFromName(name), platform::HAlign::Left,
            platform::VAlign::Top);
    for (int k = 0; k < perPage && next < lines.size(); ++k, ++next)
      if (!lines[next].empty())
        dc.Text({kPageMargin, kPageMargin + k * f.height}, lines[next], platform::HAlign::Left,
                platform::VAlign::Top);
    if (next >= lines.size()) break;
  }
  return ClosePrint(p);
}

}  // namespace files
