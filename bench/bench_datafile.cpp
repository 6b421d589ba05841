// Writing and reading a 512 MiB waveform store (8 channels of 2^24 samples)
// through the data file code, side by side with one plain fwrite / fread of
// the same bytes in the same folder (TARVELIN_BENCH_DIR, else /tmp).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchProgram.h"
#include "files/DataFileReader.h"
#include "files/DataFileWriter.h"

namespace {

constexpr int kChannels = 8;
constexpr int32_t kLength = 1 << 24;
constexpr int64_t kSampleBytes = int64_t(kChannels) * kLength * 4;
constexpr int64_t kFileBytes = 22 + 586 + kChannels * (78 + int64_t(kLength) * 4);

// The benchmark folder: TARVELIN_BENCH_DIR, else /tmp.
std::string BenchBase() {
  const char* env = std::getenv("TARVELIN_BENCH_DIR");
  return env && *env ? env : "/tmp";
}

struct Bench : bench_support::BenchProgram {
  Bench() : BenchProgram(BenchBase(), kChannels * kLength, kLength) {
    store::Header_s& h = prog->HGW;
    for (int i = 0; i < kChannels; ++i) h.ChannelOn[i] = 1;
    h.ChannelCount = kChannels;
    h.Length = kLength;
    // Touch every page of both arrays so no run pays for first faults.
    for (int64_t i = 0; i < int64_t(kChannels) * kLength; ++i) {
      prog->Waveform[size_t(i)] = float(i & 0xFFFF);
      prog->SWaveform[size_t(i)] = 0.0f;
    }
  }
};

Bench& Get() {
  static Bench b;
  return b;
}

void BM_WriteDataFileUtil(benchmark::State& state) {
  Bench& b = Get();
  for (auto _ : state)
    if (!files::WriteDataFileUtil(*b.prog, b.root + "/data.w", store::Store::W, 0))
      state.SkipWithError("write failed");
  state.SetBytesProcessed(state.iterations() * kFileBytes);
}

// The store's samples in one fwrite to `file`; with `sync` flushed to the
// disk before the file is closed.
bool WriteSamples(const Bench& b, const std::string& file, bool sync) {
  FILE* f = std::fopen(file.c_str(), "wb");
  bool ok = f && std::fwrite(b.prog->Waveform.get(), 1, size_t(kSampleBytes), f) == size_t(kSampleBytes);
  if (f && sync) ok = std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0 && ok;
  if (f) ok = std::fclose(f) == 0 && ok;
  return ok;
}

// `replace`: into a new file that then replaces the old one, as the data file
// writer does so that a failure keeps the previous file (on ext4 the
// replacing rename starts the writeback of the new file at once); `sync`:
// the crash-safe way, the new file on the disk before it replaces the old.
void PlainWrite(benchmark::State& state, bool replace, bool sync) {
  Bench& b = Get();
  const std::string path = b.root + "/plain.bin";
  const std::string temp = replace ? path + ".tmp" : path;
  for (auto _ : state)
    if (!WriteSamples(b, temp, sync) || (replace && std::rename(temp.c_str(), path.c_str()) != 0))
      state.SkipWithError("fwrite failed");
  state.SetBytesProcessed(state.iterations() * kSampleBytes);
}

void BM_PlainFwrite(benchmark::State& state) { PlainWrite(state, false, false); }
void BM_PlainFwriteRename(benchmark::State& state) { PlainWrite(state, true, false); }
void BM_PlainFwriteFsyncRename(benchmark::State& state) { PlainWrite(state, true, true); }

void BM_ReadDataFileUtil(benchmark::State& state) {
  Bench& b = Get();
  if (!files::WriteDataFileUtil(*b.prog, b.root + "/data.w", store::Store::W, 0))
    state.SkipWithError("write failed");
  // One read first, so that both sides read a warm cache, as fread's file is.
  if (!files::ReadDataFileUtil(*b.prog, b.root + "/data.w", store::Store::W, false, -1, -1, false))
    state.SkipWithError("read failed");
  for (auto _ : state)
    if (!files::ReadDataFileUtil(*b.prog, b.root + "/data.w", store::Store::W, false, -1, -1, false))
      state.SkipWithError("read failed");
  state.SetBytesProcessed(state.iterations() * kFileBytes);
}

void BM_PlainFread(benchmark::State& state) {
  Bench& b = Get();
  const std::string path = b.root + "/plain.bin";
  if (!WriteSamples(b, path, false)) state.SkipWithError("fwrite failed");
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "rb");
    bool ok = f && std::fread(b.prog->SWaveform.get(), 1, size_t(kSampleBytes), f) == size_t(kSampleBytes);
    if (f) std::fclose(f);
    if (!ok) state.SkipWithError("fread failed");
  }
  state.SetBytesProcessed(state.iterations() * kSampleBytes);
}

BENCHMARK(BM_WriteDataFileUtil)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainFwrite)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainFwriteRename)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainFwriteFsyncRename)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDataFileUtil)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainFread)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
