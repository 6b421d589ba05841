#include "graph/FontSettings.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "macro/Prompts.h"
#include "state/GraphWindows.h"
#include "state/Program.h"
#include "store/FixedText.h"

namespace graph {
namespace {

constexpr int kMinWeight = 100, kMaxWeight = 900;

int ClampHeight(int64_t h) { return int(std::clamp<int64_t>(h, kScaleFontMinHeight, kScaleFontMaxHeight)); }

// The longest prefix of `face` that fits `size` bytes with its terminator
// and does not end inside a UTF-8 character.
std::string_view FittingFace(std::string_view face, size_t size) {
  if (face.size() < size) return face;
  size_t n = size - 1;
  while (n > 0 && (static_cast<unsigned char>(face[n]) & 0xC0) == 0x80) --n;
  return face.substr(0, n);
}

}  // namespace

platform::Font ScaleFont(const state::Program& p) {
  const store::FontRecord_s& r = p.DG.Font;
  platform::Font f;
  // A negative height is a character height in the record's convention; the
  // cell is what the drawing takes, and near enough for choosing a size.
  if (r.Height != 0) f.height = ClampHeight(std::llabs(int64_t(r.Height)));
  f.width = int(std::clamp<int32_t>(r.Width, 0, kScaleFontMaxHeight));
  f.weight = r.Weight == 0 ? 400 : std::clamp<int32_t>(r.Weight, kMinWeight, kMaxWeight);
  const std::string face = store::FieldText(r.FaceName);
  if (!face.empty()) f.face = face;
  return f;
}

void SetScaleFont(state::Program& p, const platform::Font& font) {
  store::FontRecord_s& r = p.DG.Font;
  r.Height = ClampHeight(font.height);
  r.Weight = std::clamp(font.weight, kMinWeight, kMaxWeight);
  // The whole field is cleared so that no bytes of a longer old name are
  // left behind its terminator in the job file.
  std::memset(r.FaceName, 0, sizeof r.FaceName);
  if (!font.face.empty()) store::CopyText(r.FaceName, FittingFace(font.face, sizeof r.FaceName));
}

int ChooseScaleFont(state::Program& p) {
  std::optional<platform::Font> chosen =
      p.ui().ChooseFont(ScaleFont(p), "Typ písma - stupnice v graf. oknech");
  if (!chosen) return 0;
  SetScaleFont(p, *chosen);
  AktualizujOkno(p);
  return 1;
}

int FontCellDialog(state::Program& p, int dialog) {
  switch (dialog) {
    case 26:
    case 27: {
      const bool height = dialog == 26;
      int32_t v = height ? p.DG.Font.Height : p.DG.Font.Width;
      if (!macro::GetL(p, v, height ? kScaleFontMinHeight : 0, height ? kScaleFontMaxHeight : 40,
                       height ? 16 : 7, height ? "Výška písma stupnice" : "Šířka písma stupnice"))
        return 0;
      (height ? p.DG.Font.Height : p.DG.Font.Width) = v;
      return 1;
    }
    case 28:
    case 29: {
      if (!p.Prt) return 0;
      store::Prt_s& prt = p.Prt[0];
      const bool height = dialog == 28;
      int16_t v = height ? prt.TextFontHeight : prt.TextFontWidth;
      if (!macro::GetI(p, v, 10, 200, 10, height ? "Výška písma textu" : "Šířka písma textu")) return 0;
      (height ? prt.TextFontHeight : prt.TextFontWidth) = v;
      return 1;
    }
    default:
      return 0;
  }
}

}  // namespace graph
