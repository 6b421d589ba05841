// The .W/.M layout shared by the reader, the writer and the joiner: the
// fixed part of a file (identification, header, optional segment record)
// and the checks every reader makes before it trusts a count or a length.
#pragma once

#include <cstdint>
#include <string>

#include "files/AtomicFile.h"
#include "state/Progress.h"
#include "store/Records.h"
#include "store/Store.h"

namespace state {
struct Program;
}

namespace files {

inline constexpr int64_t kIdBytes = sizeof(store::IG_s);
inline constexpr int64_t kHeaderBytes = sizeof(store::Header_s);
inline constexpr int64_t kChannelBytes = sizeof(store::Channel_s);

// The fixed part of a data file as read, before any of it reaches a store.
struct DataFileHead {
  store::IG_s ig{};
  store::Header_s header{};
  int64_t dataStart = 0;  // file offset of the first channel record
  int channels = 0;       // flags counted after clearing those beyond the capacity
};

// The disk cursor for the time of a file operation, however it ends.
class DiskCursor {
 public:
  explicit DiskCursor(state::Program& p);
  ~DiskCursor();
  DiskCursor(const DiskCursor&) = delete;
  DiskCursor& operator=(const DiskCursor&) = delete;

 private:
  state::Program& p_;
};

// Moves the samples of a file in pieces, between which a long transfer shows
// its progress in the wait window and may be stopped (Esc, STOP, SIGINT).
class SampleTransfer {
 public:
  static constexpr int64_t kPiece = int64_t(1) << 22;  // values per piece (16 MiB)

  // `total`: the samples the whole operation moves; `name` is shown.
  SampleTransfer(state::Program& p, const std::string& name, int64_t total);
  // Exactly `count` samples, or false (a short file, a failed write, a stop).
  [[nodiscard]] bool Read(InputFile& in, float* dest, int64_t count);
  [[nodiscard]] bool Write(AtomicWriter& out, const float* src, int64_t count);
  bool Stopped() const { return progress_.Stopped(); }
  // For the work that follows the transfer under the same wait window.
  state::Progress& Steps() { return progress_; }

 private:
  state::Progress progress_;
  int64_t done_ = 0, total_;
};

// A caller's program name ("\DATA\x.W", absolute, any case) as a real path.
std::string ResolveDataName(const state::Program& p, const std::string& name);

// General text 383 (with the prefix), "  : " and the name, title 13.
void ReportOpenFailure(state::Program& p, const std::string& name, bool withPrefix);

// Reads identification, header and the segment record of a segmented file.
// Shows 384/385 for a bad identification and 498 when the capacity is
// neither 128 nor above `fileChannel`; a short header answers false quietly.
// Flags at and above a capacity below 128 are cleared: such a writer never
// had those channels.
[[nodiscard]] bool ReadDataFileHead(state::Program& p, InputFile& in, int fileChannel, DataFileHead& head);

// Bytes of `channels` channel records with `length` samples each.
int64_t ChannelBytes(int64_t channels, int64_t length);
// False when the file is known to be shorter than `bytes`.
[[nodiscard]] bool FileHolds(const InputFile& in, int64_t bytes);

// Samples a store can hold: `TotalSamples`, never more than its arrays have.
int64_t SampleCapacity(const state::Program& p, store::Store store);

// Terminates the text fields of records taken from a file, so a hostile file
// cannot leave a string without its end in a store.
void TerminateTexts(store::Header_s& h);
void TerminateTexts(store::Channel_s& c);

// Makes the first `n` samples of the scratch array the store's samples. The
// arrays trade places when they are of one size (nothing keeps a pointer to
// either across an operation), which saves a pass over the whole store; the
// scratch array then holds the old samples, which nobody reads.
void CommitScratch(state::Program& p, store::Store store, size_t n);

// Display type 2 in every graph record of both stores, as after every read.
void ResetDisplayTypes(state::Program& p);

}  // namespace files
