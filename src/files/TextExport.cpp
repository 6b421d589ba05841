#include "files/TextExport.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "files/AtomicFile.h"
#include "files/DataFileFormat.h"
#include "files/DataFileUser.h"
#include "files/ImportedStore.h"
#include "files/TextNumbers.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/Progress.h"
#include "state/StoreAccess.h"
#include "state/UserMessages.h"
#include "store/Defaults.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace files {
namespace {

constexpr size_t kFlushBytes = 1 << 20;

// Appends text and hands full blocks to the writer, so a large store never
// becomes one string.
class TextSink {
 public:
  explicit TextSink(AtomicWriter& out) : out_(out) { text.reserve(kFlushBytes + 4096); }
  void Flush() {
    out_.Write(text.data(), text.size());
    text.clear();
  }
  void MaybeFlush() {
    if (text.size() >= kFlushBytes) Flush();
  }
  std::string text;

 private:
  AtomicWriter& out_;
};

std::string PrefixText(int prefixCode) {
  std::string text = store::IsDecibelCode(prefixCode) ? "dB " : "";
  return text + store::PrefixEntry(prefixCode);
}

int Stopped(state::Program& p, const std::string& name, bool* stopped) {
  state::ReportStopped(p, name);
  if (stopped) *stopped = true;
  return 0;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

int WriteASCIIDataFileUtil(state::Program& p, const std::string& name, store::Store store, bool* stopped) {
  // Copies: nothing the export formats may change the store under it.
  const store::Header_s h = p.Header(store);
  std::vector<store::Channel_s> channels(p.Channels(store), p.Channels(store) + store::kChannels);
  AtomicWriter out;
  if (!out.Open(ResolveDataName(p, name))) {
    state::MessT(p, 398, 13);
    return 0;
  }
  TextSink sink(out);
  std::string& t = sink.text;
  t += state::Txt(p, 399) + store::FieldText(h.Date) + " \n";
  t += state::Txt(p, 400) + " \n";
  t += state::Txt(p, 401) + state::Txt(p, store::IsW(store) ? 402 : 403) + " \n";
  t += state::TxtF(p, 404, {int(h.ChannelCount)}) + " \n";
  t += state::TxtF(p, 405, {long(h.Length)}) + " \n\n";
  t += state::Txt(p, 406) + store::FieldText(h.Comment) + " \n";

  const float* samples = p.Samples(store);
  const int32_t headerLength = h.Length;  // a copy: the packed field is misaligned
  const long long length = std::max<int32_t>(headerLength, 0);
  const long long capacity = SampleCapacity(p, store);
  long long start = 0;
  // A stop drops the temporary file: an existing file stays as it was.
  state::Progress progress(p, name);
  const long long total = std::min(length * state::ActiveChannels(p, store), capacity);
  for (int i = 0; i < store::kChannels; ++i) {
    if (!h.ChannelOn[i]) continue;
    const store::Channel_s& c = channels[size_t(i)];
    t += " \n\n\n" + state::TxtF(p, 407, {i + 1}) + " \n";
    t += state::Txt(p, c.IsSpectrum ? 408 : 409) + " \n";
    t += state::Txt(p, 410) + store::FieldText(c.Name) + " \n";
    t += state::Txt(p, 411) + store::FieldText(c.Unit) + " \n";
    t += state::Txt(p, 412) + PrefixText(c.PrefixCode) + " \n";
    t += state::Txt(p, 413) + store::FieldText(c.XUnit) + " \n";
    t += state::Txt(p, 414);
    AppendG6(t, c.Step);
    t += " \n\n";
    // A header claiming more than the array holds writes only what exists.
    const long long n = std::min(length, capacity - start);
    for (long long k = 0; k < n; ++k) {
      AppendG6(t, samples[start + k]);
      t += "  ";
      const long long written = k + 1;
      if (written % 10 == 0) t += '\n';
      if (written % 100 == 0) {
        t += '\n';
        AppendInt(t, written);
        t += "\n\n";
        sink.MaybeFlush();
        if (!progress.Step(start + written, total)) return Stopped(p, name, stopped);
      }
    }
    start += length;
    if (start >= capacity) break;
  }
  sink.Flush();
  return out.Commit() ? 1 : 0;
}

int WriteASCIIDataFile(state::Program& p, const std::string& nameOrEmpty, store::Store store) {
  if (!state::MemOK(p, store, true)) return 0;
  EditCommentBeforeSaving(p, store);
  std::string name = nameOrEmpty;
  if (name.empty()) {
    std::optional<std::string> chosen =
        ChooseFile(p, store::IsW(store) ? 505 : 507, store::IsW(store) ? 506 : 508, "\\DATA\\",
                   store::IsW(store) ? "*.WTX" : "*.MTX", true);
    if (!chosen) return 0;
    name = *chosen;
  }
  if (!p.MacGoing && Exists(ResolveDataName(p, name)) && state::AskT(p, 318, 15) != platform::Answer::Yes)
    return 0;
  bool stopped = false;
  if (!WriteASCIIDataFileUtil(p, name, store, &stopped)) {
    if (!stopped) state::MessT(p, 319, 13);
    return 0;
  }
  store::Extension(name, TextMask(p, store), 6);
  return 1;
}

int WriteSimpleASCIIDataFileUtil(state::Program& p, const std::string& name) {
  AtomicWriter out;
  if (!out.Open(ResolveDataName(p, name))) return 0;
  TextSink sink(out);
  const long long n =
      std::min<long long>(std::max<int32_t>(p.HGW.Length, 0), SampleCapacity(p, store::Store::W));
  state::Progress progress(p, name);
  for (long long k = 0; k < n; ++k) {
    AppendNumber(sink.text, p.Waveform[size_t(k)], std::chars_format::scientific, 8, 12);
    sink.text += "\r\n";
    sink.MaybeFlush();
    if ((k & 0xFFF) == 0xFFF && !progress.Step(k, n)) return Stopped(p, name, nullptr);
  }
  sink.Flush();
  return out.Commit() ? 1 : 0;
}

int Write_ASCII_Util(state::Program& p) {
  if (state::AskT(p, 1311, 15) != platform::Answer::Yes) return 0;
  if (!p.QWWin[0]) {
    state::MessT(p, 1315, 13);
    return 0;
  }
  p.QWWin[0]->UserMessage(state::kWriteSelectionText, 0);
  return 1;
}

}  // namespace files
