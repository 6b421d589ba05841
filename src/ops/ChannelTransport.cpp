#include "ops/ChannelTransport.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "files/DataFileFormat.h"
#include "files/DataFileNames.h"
#include "files/DataFileReader.h"
#include "files/FileArguments.h"
#include "ops/ChannelPrompt.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"

namespace ops {
namespace {

bool ValidChannel(int channel) { return channel >= 0 && channel < store::kChannels; }

// Active channels below `channel`: its block number.
int BlocksBelow(const store::Header_s& h, int channel) {
  int n = 0;
  for (int i = 0; i < channel; ++i)
    if (h.ChannelOn[i]) ++n;
  return n;
}

// Whether the store's blocks as they stand lie inside its arrays.
bool LayoutSound(const state::Program& p, store::Store s) {
  const store::Header_s& h = store::IsW(s) ? p.HGW : p.HGB;
  const int64_t length = h.Length;
  return length >= 0 && int64_t(state::ActiveChannels(p, s)) * length <= files::SampleCapacity(p, s);
}

int ReadChannelInto(state::Program& p, const std::string& name, int fileChannel, int destination) {
  store::Header_s& h = p.HGW;
  const bool created = !h.ChannelOn[destination];
  const store::Channel_s savedRecord = p.FGW[size_t(destination)];
  const int32_t savedFreq = p.WFreq[destination];
  // The insertion spreads the blocks over one more block at the end; its old
  // content comes back if the read fails.
  const int64_t length = h.Length;
  const int64_t end = int64_t(state::ActiveChannels(p, store::Store::W)) * length;
  std::vector<float> savedTail;
  if (created) {
    int first = 0;
    while (first < store::kChannels && !h.ChannelOn[first]) ++first;
    if (first == store::kChannels) {
      state::MessT(p, 341, 11);
      return 0;
    }
    if (end + length > files::SampleCapacity(p, store::Store::W)) {
      state::MessT(p, 338, 11);
      return 0;
    }
    savedTail.assign(p.Waveform.get() + end, p.Waveform.get() + end + length);
    // The copy only gives the new channel its block; the read replaces it.
    if (!ChanelTransportUtil(p, store::Store::W, first, destination, false)) return 0;
  }
  bool stopped = false;
  if (!files::ReadDataFileUtil(p, name, store::Store::W, true, fileChannel, destination, false, &stopped)) {
    if (created) {
      (void)ChanelDeleteUtil(p, store::Store::W, destination);
      p.FGW[size_t(destination)] = savedRecord;
      p.WFreq[destination] = savedFreq;
      std::copy(savedTail.begin(), savedTail.end(), p.Waveform.get() + end);
    }
    if (!stopped) state::MessT(p, 316, 13);
    return 0;
  }
  return 1;
}

bool AskWaveformFile(state::Program& p, std::string& name) {
  return files::TakeFileArgument(p, "CHWREAD", name) != 0;
}

}  // namespace

int ChanelTransportUtil(state::Program& p, store::Store s, int source, int destination, bool ask) {
  if (!state::MemOK(p, s) || !ValidChannel(source) || !ValidChannel(destination)) return 0;
  if (!LayoutSound(p, s)) return 0;
  store::Header_s& h = p.Header(s);
  const bool talk = ask && !p.MacGoing;
  if (!h.ChannelOn[source]) {
    if (ask) state::MessT(p, 335, 11);
    return 0;
  }
  if (talk && p.ui().AskYesNo(state::TxtF(p, 336, {source + 1, destination + 1}), state::Txt(p, 15)) !=
                  platform::Answer::Yes)
    return 0;

  const int64_t length = h.Length;
  float* samples = p.Samples(s);
  if (!h.ChannelOn[destination]) {
    const int64_t count = state::ActiveChannels(p, s);
    if ((count + 1) * length > files::SampleCapacity(p, s)) {
      if (ask) state::MessT(p, 338, 11);
      return 0;
    }
    const int64_t slot = BlocksBelow(h, destination);
    std::memmove(samples + (slot + 1) * length, samples + slot * length,
                 size_t((count - slot) * length) * sizeof(float));
    h.ChannelOn[destination] = 1;
    h.ChannelCount = int16_t(count + 1);
  } else if (source != destination) {
    if (talk && state::AskT(p, 337, 15) != platform::Answer::Yes) return 0;
  }

  store::Channel_s* records = p.Channels(s);
  int32_t* freq = p.Freq(s);
  records[destination] = records[source];
  freq[destination] = freq[source];
  // Positions are taken after the insertion: a source above the new channel
  // has just moved up by one block.
  const int from = state::Pocatek(p, s, source);
  const int to = state::Pocatek(p, s, destination);
  if (from != to) std::memmove(samples + to, samples + from, size_t(length) * sizeof(float));
  // Blocks may have moved, so the windows are told even while a macro runs.
  state::DataChanged(p, s);
  if (talk) state::Mess(p, state::TxtF(p, 339, {source + 1, destination + 1}), state::Txt(p, 11));
  return 1;
}

int ChanelTransport(state::Program& p, store::Store s, int a, int b) {
  if (!state::MemOK(p, s, true)) return 0;
  a = ChannelNumber(p, a, 184);
  if (a == 0) return 0;
  b = ChannelNumber(p, b, 185);
  if (b == 0) return 0;
  return ChanelTransportUtil(p, s, a - 1, b - 1, true);
}

int ChanelDeleteUtil(state::Program& p, store::Store s, int channel) {
  if (!state::MemOK(p, s) || !ValidChannel(channel) || !LayoutSound(p, s)) return 0;
  store::Header_s& h = p.Header(s);
  if (!h.ChannelOn[channel]) return 0;
  const int64_t length = h.Length;
  const int64_t count = state::ActiveChannels(p, s);
  const int64_t slot = BlocksBelow(h, channel);
  float* samples = p.Samples(s);
  std::memmove(samples + slot * length, samples + (slot + 1) * length,
               size_t((count - slot - 1) * length) * sizeof(float));
  h.ChannelOn[channel] = 0;
  h.ChannelCount = int16_t(count - 1);
  // A window left on a channel without a block would show another's data.
  state::UnDisplayWave(p, s, channel);
  state::DataChanged(p, s);
  return 1;
}

int ChanelDelete(state::Program& p, store::Store s, int channel) {
  if (!state::MemOK(p, s, true)) return 0;
  channel = ChannelNumber(p, channel, 186);
  if (channel == 0) return 0;
  return ChanelDeleteUtil(p, s, channel - 1);
}

int ChanelRead(state::Program& p, int a, int b) {
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  a = ChannelNumber(p, a, 194);
  if (a == 0) return 0;
  b = ChannelNumber(p, b, 195);
  if (b == 0) return 0;
  std::string name;
  if (!AskWaveformFile(p, name)) return 0;
  return ReadChannelInto(p, name, a - 1, b - 1);
}

int MultiChanelRead(state::Program& p) {
  if (!state::MemOK(p, store::Store::W, true)) return 0;
  int read = 0;
  for (;;) {
    const int a = ChannelNumber(p, 0, 194);
    if (a == 0) break;
    const int b = ChannelNumber(p, 0, 195);
    if (b == 0) break;
    store::CopyText(p.DG.NameQueue, "");
    std::string name;
    if (!AskWaveformFile(p, name)) break;
    read += ReadChannelInto(p, name, a - 1, b - 1);
  }
  return read;
}

}  // namespace ops
