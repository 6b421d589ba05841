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

void BM_PlainFwrite(benchmark::State& state) {
  Bench& b = Get();
  const std::string path = b.root + "/plain.bin";
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(b.prog->Waveform.get(), 1, size_t(kSampleBytes), f) == size_t(kSampleBytes);
    if (f) ok = std::fclose(f) == 0 && ok;
    if (!ok) state.SkipWithError("fwrite failed");
  }
  state.SetBytesProcessed(state.iterations() * kSampleBytes);
}

// The same bytes written to a new file that then replaces the old one, as
// the data file writer does so that a failure keeps the previous file. On
// ext4 the replacing rename starts the writeback of the new file at once.
void BM_PlainFwriteRename(benchmark::State& state) {
  Bench& b = Get();
  const std::string path = b.root + "/plain.bin";
  const std::string temp = path + ".tmp";
  for (auto _ : state) {
    FILE* f = std::fopen(temp.c_str(), "wb");
    bool ok = f && std::fwrite(b.prog->Waveform.get(), 1, size_t(kSampleBytes), f) == size_t(kSampleBytes);
    if (f) ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) state.SkipWithError("fwrite failed");
  }
  state.SetBytesProcessed(state.iterations() * kSampleBytes);
}

// The crash-safe way: the new file reaches the disk before it replaces the
// old one, as the data file writer does.
void BM_PlainFwriteFsyncRename(benchmark::State& state) {
  Bench& b = Get();
  const std::string path = b.root + "/plain.bin";
  const std::string temp = path + ".tmp";
  for (auto _ : state) {
    FILE* f = std::fopen(temp.c_str(), "wb");
    bool ok = f && std::fwrite(b.prog->Waveform.get(), 1, size_t(kSampleBytes), f) == size_t(kSampleBytes);
    if (f) ok = std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0 && std::fclose(f) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) state.SkipWithError("fwrite failed");
  }
  state.SetBytesProcessed(state.iterations() * kSampleBytes);
}

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
  {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
      std::fwrite(b.prog->Waveform.get(), 1, size_t(kSampleBytes), f);
      std::fclose(f);
    }
  }
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
