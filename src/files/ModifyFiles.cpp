#include "files/ModifyFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "dsp/Padding.h"
#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "files/ImportedStore.h"
#include "files/TextNumbers.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
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

// A change of the samples x -> x * multiplier / divisor + offset.
struct Affine {
  double multiplier = 1.0, divisor = 1.0, offset = 0.0;
  bool Changes() const { return multiplier != 1.0 || divisor != 1.0 || offset != 0.0; }
  float operator()(float x) const { return ToSample((double(x) * multiplier) / divisor + offset); }
};

// Items first, first + 1, first + 2 as an Affine; a missing or unreadable
// number (or a zero divisor) leaves its part out.
Affine AffineItems(const ChannelText& text, size_t first) {
  Affine a;
  if (!ItemNumber(text.Item(first), a.multiplier)) a.multiplier = 1.0;
  if (!ItemNumber(text.Item(first + 1), a.divisor) || a.divisor == 0.0) a.divisor = 1.0;
  if (!ItemNumber(text.Item(first + 2), a.offset)) a.offset = 0.0;
  return a;
}

// What a parameter file does to one channel's samples: the global change
// (before any padding), then the channel's own (over the padded length).
struct SampleChange {
  Affine global, own;
  bool Changes() const { return global.Changes() || own.Changes(); }
};

// Item 6: the length the waveform store is padded with zeros to, silently as
// the padding menu item does without its questions; a record that cannot
// grow keeps its length.
long long PaddedLength(const state::Program& p, bool pad) {
  long long grown = 0;
  if (!pad ||
      dsp::PowerOfTwoGrowth(p.HGW.Length, state::ActiveChannels(p, store::Store::W),
                            SampleCapacity(p, store::Store::W), p.DG.MaxLength, grown) != dsp::PadCheck::Fits)
    return p.HGW.Length;
  return grown;
}

// The changed samples of every active channel, `grown` apart, built in the
// scratch array and swapped in at the end: a stop leaves the store as it was
// and answers false.
bool ChangeSamples(state::Program& p, const SampleChange (&change)[store::kChannels], long long grown,
                   const std::string& what) {
  const int64_t n = p.HGW.Length;
  const int64_t channels = state::ActiveChannels(p, store::Store::W);
  const float* data = p.Waveform.get();
  float* scratch = p.SWaveform.get();
  state::Progress progress(p, what);
  int64_t k = 0;
  for (int c = 0; c < store::kChannels; ++c) {
    if (!p.HGW.ChannelOn[c]) continue;
    const float* from = data + k * n;
    float* to = scratch + k * grown;
    const SampleChange& ch = change[c];
    for (int64_t at = 0; at < grown; at += state::kStepPiece) {
      if (!progress.Step(k * grown + at, channels * grown)) return false;
      const int64_t end = std::min<int64_t>(grown, at + state::kStepPiece);
      for (int64_t j = at; j < end; ++j) {
        float x = j < n ? from[j] : 0.0f;
        if (j < n && ch.global.Changes()) x = ch.global(x);
        to[j] = ch.own.Changes() ? ch.own(x) : x;
      }
    }
    ++k;
  }
  if (!progress.Step(channels * grown, channels * grown)) return false;
  CommitScratch(p, store::Store::W, size_t(channels * grown));
  p.HGW.Length = static_cast<int32_t>(grown);
  return true;
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

bool ApplyChannelText(state::Program& p, const ChannelText& text) {
  const int n = text.Channels();
  // Records and samples change together at the end, or not at all.
  std::vector<store::Channel_s> records(p.FGW.get(), p.FGW.get() + store::kChannels);
  const float firstStep = records[0].Step;
  const Affine global = AffineItems(text, 3);
  double step = 0.0;
  const bool newStep = ItemNumber(text.Item(9), step) && step != 0.0 && float(step) != firstStep;
  SampleChange change[store::kChannels];

  for (int ch = 0; ch < n; ++ch) {
    if (!p.HGW.ChannelOn[ch]) continue;
    const size_t k = size_t(ch) + 1;
    store::Channel_s& c = records[ch];
    if (!Keeps(text.Item(1)) && Keeps(text.Item(10 * k + 1))) store::CopyText(c.Name, Trimmed(text.Item(1)));
    if (!Keeps(text.Item(2)) && Keeps(text.Item(10 * k + 2))) store::CopyText(c.Unit, Trimmed(text.Item(2)));
    change[ch].global = global;
    if (newStep) c.Step = ToSample(step);
  }
  const long long grown = PaddedLength(p, IsYes(text.Item(6)));

  for (int ch = 0; ch < n; ++ch) {
    const size_t k = size_t(ch) + 1;
    if (!p.HGW.ChannelOn[ch] || !IsYes(text.Item(10 * k))) continue;
    store::Channel_s& c = records[ch];
    if (!Keeps(text.Item(10 * k + 1))) store::CopyText(c.Name, Trimmed(text.Item(10 * k + 1)));
    if (!Keeps(text.Item(10 * k + 2))) store::CopyText(c.Unit, Trimmed(text.Item(10 * k + 2)));
    change[ch].own = AffineItems(text, 10 * k + 3);
  }

  const bool padded = grown != p.HGW.Length;
  const bool samplesChange = padded || std::any_of(std::begin(change), std::end(change),
                                                   [](const SampleChange& c) { return c.Changes(); });
  const int64_t blocks = state::ActiveChannels(p, store::Store::W);
  const std::string what = state::Lang(p, "Úprava kanálů", "Channel modification");
  if (samplesChange && state::MemOK(p, store::Store::W) && p.HGW.Length > 0 &&
      blocks * std::max<int64_t>(p.HGW.Length, grown) <= SampleCapacity(p, store::Store::W) &&
      !ChangeSamples(p, change, grown, what)) {
    state::ReportStopped(p, what);
    return false;
  }
  std::copy(records.begin(), records.end(), p.FGW.get());
  if (padded) state::DataChanged(p, store::Store::W);
  for (int code : {state::kDataChanged, state::kExpandWhole, state::kRepaintTimeScale})
    state::SendToStoreWindows(p, store::Store::W, code);
  return true;
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
  return ApplyChannelText(p, text) ? 1 : 0;
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
