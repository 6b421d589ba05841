#include "files/ModifyFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "dsp/Padding.h"
#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "files/ImportedStore.h"
#include "files/TextNumbers.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"
#include "store/FixedText.h"

namespace files {
namespace {

constexpr char kIdentification[] = "CHA_TXT.TXT";
constexpr size_t kIdBytes = sizeof kIdentification - 1;
// Items past the last one any channel can have are never looked at.
constexpr size_t kUsedItems = 10 * store::kChannels + 6;

// The brace rule over a stream of chunks: items are the text between "{"
// and the next "}", everything outside braces is skipped.
class ItemParser {
 public:
  explicit ItemParser(ChannelText& text) : text_(text) { text_.items.clear(); }
  bool Feed(std::string_view chunk) {
    for (char c : chunk) {
      if (idRead_ < kIdBytes) {
        if (c != kIdentification[idRead_++]) return false;
        continue;
      }
      if (!open_) {
        if (c == '{') {
          open_ = true;
          current_.clear();
        }
        continue;
      }
      if (c == '}') {
        Close();
        continue;
      }
      if (++chars_ > ChannelText::kMaxChars) return false;
      if (text_.items.size() < kUsedItems) current_ += c;
    }
    return true;
  }
  bool Finish() {
    if (idRead_ < kIdBytes) return false;
    if (open_) Close();
    return true;
  }

 private:
  void Close() {
    open_ = false;
    if (text_.items.size() < kUsedItems) text_.items.push_back(std::move(current_));
    current_.clear();
  }
  ChannelText& text_;
  size_t idRead_ = 0;
  size_t chars_ = 0;
  bool open_ = false;
  std::string current_;
};

std::string_view Trimmed(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r\n");
  return std::string_view(s).substr(b, e - b + 1);
}

// "-" or nothing: the field stays as it is.
bool Keeps(const std::string& item) {
  std::string_view t = Trimmed(item);
  return t.empty() || t == "-";
}

bool IsYes(const std::string& item) {
  std::string_view t = Trimmed(item);
  return !t.empty() && (t[0] == 'Y' || t[0] == 'y');
}

// The number of an item; false when it holds none, so that an empty or
// mistyped multiplier is not taken as 0. A decimal comma is a point.
bool ItemNumber(const std::string& item, double& value) {
  std::string t(Trimmed(item));
  std::replace(t.begin(), t.end(), ',', '.');
  return ParseLeadingNumber(t.data(), t.data() + t.size(), value) != t.data();
}

void Transform(state::Program& p, int channel, double multiplier, double divisor, double offset) {
  const int start = state::Pocatek(p, store::Store::W, channel);
  const long long length = p.HGW.Length;
  if (start < 0 || length <= 0 || start + length > SampleCapacity(p, store::Store::W)) return;
  float* s = p.Waveform.get() + start;
  for (long long k = 0; k < length; ++k) s[k] = ToSample((double(s[k]) * multiplier) / divisor + offset);
}

const char kTemplate[] =
    "CHA_TXT.TXT  Modification of the waveform channels. Every item is the text in braces,\n"
    "numbered from 0; \"-\" keeps a name or unit.\n\n"
    "0 channels affected        {1}\n"
    "1 name of all channels     {-}\n"
    "2 unit of all channels     {-}\n"
    "3 multiplier               {1}\n"
    "4 divisor                  {1}\n"
    "5 offset                   {0}\n"
    "6 pad to a power of two    {N}\n"
    "7 (not used)               {-}\n"
    "8 (not used)               {-}\n"
    "9 sampling step (0 keeps)  {0}\n\n"
    "10 channel 1: apply (Y/N)  {N}\n"
    "11 name                    {-}\n"
    "12 unit                    {-}\n"
    "13 multiplier              {1}\n"
    "14 divisor                 {1}\n"
    "15 offset                  {0}\n";

// Item 6: the waveform store padded with zeros to the next power of two,
// silently as the padding menu item does without its questions; a record
// that cannot grow stays as it is.
void PadToPowerOfTwo(state::Program& p) {
  if (!state::MemOK(p, store::Store::W, true)) return;
  long long grown = 0;
  if (dsp::PowerOfTwoGrowth(p.HGW.Length, state::ActiveChannels(p, store::Store::W),
                            SampleCapacity(p, store::Store::W), p.DG.MaxLength, grown) != dsp::PadCheck::Fits)
    return;
  dsp::GrowBlocks(p.Waveform.get(), p.HGW.ChannelOn, p.HGW.Length, grown, dsp::PadFill::Zeros);
  p.HGW.Length = static_cast<int32_t>(grown);
  state::DataChanged(p, store::Store::W);
}

}  // namespace

const std::string& ChannelText::Item(size_t i) const {
  static const std::string empty;
  return i < items.size() ? items[i] : empty;
}

int ChannelText::Channels() const {
  double v = 0.0;
  if (!ItemNumber(Item(0), v) || !(v >= 1.0)) return 0;
  return v >= store::kChannels ? store::kChannels : int(v);
}

bool ParseChannelText(std::string_view content, ChannelText& text) {
  ItemParser parser(text);
  return parser.Feed(content) && parser.Finish();
}

bool ReadChannelText(const std::string& path, ChannelText& text) {
  InputFile in(path);
  if (!in) return false;
  ItemParser parser(text);
  char chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, in.file())) > 0)
    if (!parser.Feed(std::string_view(chunk, got))) return false;
  return parser.Finish();
}

void ApplyChannelText(state::Program& p, const ChannelText& text) {
  const int n = text.Channels();
  store::Channel_s* records = p.FGW.get();
  const float firstStep = records[0].Step;
  double multiplier = 1.0, divisor = 1.0, offset = 0.0, step = 0.0;
  if (!ItemNumber(text.Item(3), multiplier)) multiplier = 1.0;
  if (!ItemNumber(text.Item(4), divisor) || divisor == 0.0) divisor = 1.0;
  if (!ItemNumber(text.Item(5), offset)) offset = 0.0;
  const bool newStep = ItemNumber(text.Item(9), step) && step != 0.0 && float(step) != firstStep;

  for (int ch = 0; ch < n; ++ch) {
    if (!p.HGW.ChannelOn[ch]) continue;
    const size_t k = size_t(ch) + 1;
    store::Channel_s& c = records[ch];
    if (!Keeps(text.Item(1)) && Keeps(text.Item(10 * k + 1))) store::CopyText(c.Name, Trimmed(text.Item(1)));
    if (!Keeps(text.Item(2)) && Keeps(text.Item(10 * k + 2))) store::CopyText(c.Unit, Trimmed(text.Item(2)));
    if (multiplier != 1.0 || divisor != 1.0 || offset != 0.0) Transform(p, ch, multiplier, divisor, offset);
    if (newStep) c.Step = ToSample(step);
  }
  if (IsYes(text.Item(6))) PadToPowerOfTwo(p);

  for (int ch = 0; ch < n; ++ch) {
    const size_t k = size_t(ch) + 1;
    if (!p.HGW.ChannelOn[ch] || !IsYes(text.Item(10 * k))) continue;
    store::Channel_s& c = records[ch];
    if (!Keeps(text.Item(10 * k + 1))) store::CopyText(c.Name, Trimmed(text.Item(10 * k + 1)));
    if (!Keeps(text.Item(10 * k + 2))) store::CopyText(c.Unit, Trimmed(text.Item(10 * k + 2)));
    double m = 1.0, d = 1.0, o = 0.0;
    if (!ItemNumber(text.Item(10 * k + 3), m)) m = 1.0;
    if (!ItemNumber(text.Item(10 * k + 4), d) || d == 0.0) d = 1.0;
    if (!ItemNumber(text.Item(10 * k + 5), o)) o = 0.0;
    if (m != 1.0 || d != 1.0 || o != 0.0) Transform(p, ch, m, d, o);
  }
  for (int code : {state::kDataChanged, state::kExpandWhole, state::kRepaintTimeScale})
    state::SendToStoreWindows(p, store::Store::W, code);
}

std::string ModifyPath(const state::Program& p, const std::string& name) {
  const bool ownFolder = !name.empty() && (name[0] == '/' || name[0] == '\\');
  const bool drive = name.size() > 1 && name[1] == ':';
  if (ownFolder || drive) return ResolveDataName(p, name);
  return ResolveDataName(p, "\\MODIFY\\" + name);
}

int WaveformModifyExecute(state::Program& p, bool interactive, const std::string& nameGiven) {
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  std::string name = nameGiven;
  if (interactive) {
    std::optional<std::string> chosen =
        ChooseFile(p, 1220, 1219, "\\MODIFY\\", store::FieldText(p.WG.ModifyMask), false);
    if (!chosen) return 0;
    name = *chosen;
    store::CopyText(p.WG.ModifyFile, name);
  } else if (name.empty()) {
    name = store::FieldText(p.WG.ModifyFile);
  }
  ChannelText text;
  if (name.empty() || !ReadChannelText(ModifyPath(p, name), text)) {
    state::MessT(p, 1221, 14);
    return 0;
  }
  if (text.Channels() == 0) {
    state::MessT(p, 1222, 11);
    return 0;
  }
  if (interactive && !p.MacGoing && state::AskT(p, 1223, 15) != platform::Answer::Yes) return 0;
  ApplyChannelText(p, text);
  return 1;
}

int EditChannelText(state::Program& p, const std::string& path) {
  InputFile existing(path);
  if (!existing) {
    AtomicWriter out;
    if (!out.Open(path) || !out.Write(kTemplate, sizeof kTemplate - 1) || !out.Commit()) {
      ReportOpenFailure(p, path, true);
      return 0;
    }
  }
  const std::string editor = state::Txt(p, 5);
  if (!p.plat.process || editor.empty() || !p.plat.process->Start({editor, path})) return 0;
  return 1;
}

int CMWaveformModifyText(state::Program& p) {
  std::optional<std::string> chosen =
      ChooseFile(p, 1220, 1219, "\\MODIFY\\", store::FieldText(p.WG.ModifyMask), false);
  if (!chosen) return 0;
  store::CopyText(p.WG.ModifyFile, *chosen);
  return EditChannelText(p, ModifyPath(p, *chosen));
}

}  // namespace files
