// The modification parameter files of "\MODIFY\": a brace-item text file
// ("CHA_TXT.TXT", then items "{...}" numbered from 0) that renames,
// rescales and re-times the channels of the waveform store.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace state {
struct Program;
}

namespace files {

struct ChannelText {
  static constexpr size_t kMaxChars = 140000;
  std::vector<std::string> items;

  // Item i, or "" when the file has no such item.
  const std::string& Item(size_t i) const;
  // Item 0 as the number of channels affected: 0..128.
  int Channels() const;
};

// `ReadChannelText` over the file's bytes: false without the identification
// "CHA_TXT.TXT" or with more than 140000 characters of items. An item left
// open at the end keeps what was read.
[[nodiscard]] bool ParseChannelText(std::string_view content, ChannelText& text);
// `ReadChannelText`: reads and parses the file at `path` (a real path).
[[nodiscard]] bool ReadChannelText(const std::string& path, ChannelText& text);

// Applies a parameter file to the active waveform channels among the first
// n, global items first, then each channel's own; sends kDataChanged, kExpandWhole and kRepaintTimeScale
// to the open waveform windows. The samples are worked out in the scratch
// array: Esc, STOP or SIGINT leaves the store as it was and answers false.
[[nodiscard]] bool ApplyChannelText(state::Program& p, const ChannelText& text);

// The real path of a parameter file name: a name of its own folder (an
// absolute path, or a drive name as typed on Windows) stays, any other is
// taken in the program's "\MODIFY\" folder.
std::string ModifyPath(const state::Program& p, const std::string& name);

// `TMainWindow::WaveformModifyExecute`: interactive, the open dialog (1220,
// 1219, "\MODIFY\" with the modification mask; the name is kept in `WG`)
// and question 1223 (no macro); otherwise the given name. 1221 (title 14)
// when the file cannot be read, 1222 (title 11) when it affects no channel.
// Answers 1 when the store was modified.
[[nodiscard]] int WaveformModifyExecute(state::Program& p, bool interactive, const std::string& name = {});

// `EditChannelText`: opens a parameter file in the external editor (general
// text 5); a file that does not exist yet is first written as a template
// listing every item for one channel, so the editor shows the layout.
[[nodiscard]] int EditChannelText(state::Program& p, const std::string& path);

// `TMainWindow::CMWaveformModifyText`: the same dialog, then EditChannelText.
[[nodiscard]] int CMWaveformModifyText(state::Program& p);

}  // namespace files
