// Smoothing of 10^7 samples: the moving average at a small, a middle and a
// very wide width, and the two kernels that read their own output (modes 2
// and 3), beside scipy.ndimage.uniform_filter1d at the same widths (the peer
// bench/peer_smoothing.py, run by /usr/bin/python3; `scripts/bootstrap.sh
// --bench` installs python3-scipy). The counter ns_per_sample is processor
// time; the peer reports its own processor time, best of five.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "dsp/Smoothing.h"

namespace {

constexpr int kSamples = 10'000'000;

std::vector<float> Noise() {
  std::vector<float> x(kSamples);
  std::mt19937 gen(2);
  std::uniform_real_distribution<float> d(-1, 1);
  for (auto& v : x) v = d(gen);
  return x;
}

void PerSample(benchmark::State& state) {
  state.counters["ns_per_sample"] =
      benchmark::Counter(double(state.iterations()) * kSamples * 1e-9,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// mode 4 and more: the moving average of that width; 2 and 3 the kernels.
void BM_Smooth(benchmark::State& state) {
  std::vector<float> x = Noise(), copy(kSamples);
  const int mode = int(state.range(0));
  for (auto _ : state) {
    dsp::Smooth(x.data(), copy.data(), 0, kSamples - 1, mode, kSamples - 1);
    benchmark::DoNotOptimize(x.data());
    benchmark::ClobberMemory();
  }
  PerSample(state);
}

std::string SourceDir() {
  std::string file = __FILE__;
  size_t slash = file.find_last_of('/');
  return slash == std::string::npos ? "." : file.substr(0, slash);
}

// The peer's processor time in s, or a negative number when it did not run.
double RunPeer(int width) {
  const std::string script = SourceDir() + "/peer_smoothing.py";
  const std::string n = std::to_string(kSamples), w = std::to_string(width);
  int fds[2];
  if (::pipe(fds) != 0) return -1;
  pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(fds[1], 1);
    ::close(fds[0]);
    ::close(fds[1]);
    ::execl("/usr/bin/python3", "python3", script.c_str(), n.c_str(), w.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(fds[1]);
  std::string out;
  char buffer[256];
  for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, size_t(got));
  ::close(fds[0]);
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return -1;
  try {
    return std::stod(out);
  } catch (...) {
    return -1;
  }
}

void BM_ScipyUniformFilter1d(benchmark::State& state) {
  for (auto _ : state) {
    const double seconds = RunPeer(int(state.range(0)));
    if (seconds < 0) {
      state.SkipWithError("peer did not run (python3-scipy installed?)");
      break;
    }
    state.SetIterationTime(seconds);
  }
  state.counters["ns_per_sample"] =
      benchmark::Counter(double(state.iterations()) * kSamples * 1e-9,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// On a shared machine the least of the repetitions is the one least
// disturbed by the others.
double Least(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

BENCHMARK(BM_Smooth)
    ->Arg(5)
    ->Arg(1001)
    ->Arg(100001)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Least);
BENCHMARK(BM_ScipyUniformFilter1d)
    ->Arg(5)
    ->Arg(1001)
    ->Arg(100001)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
