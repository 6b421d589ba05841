// Text import and export of 1,000,000 rows × 8 channels, side by side with
// numpy.loadtxt / numpy.savetxt on the same file (bench/peer_text.py run by
// /usr/bin/python3; `scripts/bootstrap.sh --bench` installs python3-numpy).
// The column file is written once by our column export and read by both.
// Files go to TARVELIN_BENCH_DIR, else /tmp.
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/Allocation.h"
#include "files/ColumnExport.h"
#include "files/TextExport.h"
#include "files/TextImport.h"
#include "platform/FakeClock.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/Paths.h"
#include "platform/ScriptedUi.h"
#include "state/Program.h"

namespace {

constexpr int kChannels = 8;
constexpr int32_t kRows = 1000000;

// Processor time of this process (user and system): the machine the bench
// runs on is often shared, and waiting for the processor is not our cost.
// The peer measures the same way (time.process_time).
double CpuNow() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double Seconds(const std::function<void()>& f, int runs) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const double start = CpuNow();
    f();
    best = std::min(best, CpuNow() - start);
  }
  return best;
}

// Runs the peer with an argv (no shell) and answers its standard output.
std::string RunPeer(const std::vector<std::string>& argv) {
  int fds[2];
  if (::pipe(fds) != 0) return {};
  pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(fds[1], 1);
    ::close(fds[0]);
    ::close(fds[1]);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(fds[1]);
  std::string out;
  char buf[4096];
  ssize_t n;
  while ((n = ::read(fds[0], buf, sizeof buf)) > 0) out.append(buf, size_t(n));
  ::close(fds[0]);
  int status = 0;
  if (pid > 0) ::waitpid(pid, &status, 0);
  return out;
}

std::string SourceDir() {
  std::string file = __FILE__;
  size_t slash = file.find_last_of('/');
  return slash == std::string::npos ? "." : file.substr(0, slash);
}

}  // namespace

int main() {
  const char* env = std::getenv("TARVELIN_BENCH_DIR");
  std::string base = env && *env ? env : "/tmp";
  std::string tmpl = base + "/tarvelin-text-bench-XXXXXX";
  if (!::mkdtemp(tmpl.data())) return 1;
  const std::string root = tmpl;

  platform::ScriptedUi ui;
  platform::FakeClock clock;
  platform::HeadlessWindowHost windows;
  platform::Paths paths(root, "");
  auto prog =
      std::make_unique<state::Program>(state::Platform{&ui, &clock, nullptr, nullptr, &windows, &paths});
  state::Program& p = *prog;
  p.Path = root;
  paths.CreateStandardFolders();
  p.DG.TotalSamples = kChannels * kRows + 1024;
  p.DG.MaxLength = kRows;
  app::AllocateRecords(p);
  app::SizeMemory(p);
  if (!app::AllocateSampleArrays(p)) return 1;
  app::AllocateBuffers(p);
  p.DoMess = 0;

  auto fill = [&] {
    for (int i = 0; i < store::kChannels; ++i) p.HGW.ChannelOn[i] = i < kChannels ? 1 : 0;
    p.HGW.ChannelCount = kChannels;
    p.HGW.Length = kRows;
    for (int c = 0; c < kChannels; ++c)
      for (int32_t k = 0; k < kRows; ++k)
        p.Waveform[size_t(c) * kRows + size_t(k)] = float(std::sin(0.001 * k * (c + 1)) * 1000.0 + c * 0.125);
  };
  fill();
  const std::string columns = root + "/DATA/columns.txt";
  const std::string full = root + "/DATA/full.wtx";
  const double exportColumns = Seconds([&] { (void)files::WriteColumnsUtil(p, columns, 6); }, 3);
  const double exportFull =
      Seconds([&] { (void)files::WriteASCIIDataFileUtil(p, full, store::Store::W); }, 3);
  const double import = Seconds([&] { (void)files::ReadDataFileELKOSO(p, store::Store::W, columns); }, 3);
  const bool ok = p.HGW.ChannelCount == kChannels && p.HGW.Length == kRows;

  std::printf("text bench (processor time, best of 3 / peer 1): %d rows x %d columns, file %s\n", kRows,
              kChannels, columns.c_str());
  std::printf("  our column export (%%13.6f)   %8.3f s\n", exportColumns);
  std::printf("  our full export (%%g)          %8.3f s\n", exportFull);
  std::printf("  our text-column import        %8.3f s%s\n", import, ok ? "" : "  (WRONG SHAPE)");

  std::map<std::string, double> peer;
  std::istringstream lines(
      RunPeer({"/usr/bin/python3", SourceDir() + "/peer_text.py", columns, root + "/DATA"}));
  std::string key;
  double value;
  while (lines >> key >> value) peer[key] = value;
  if (peer.count("loadtxt") && peer.count("savetxt_f") && peer.count("savetxt_g")) {
    std::printf("  numpy.loadtxt                 %8.3f s   ratio %.1fx\n", peer["loadtxt"],
                peer["loadtxt"] / import);
    std::printf("  numpy.savetxt (%%13.6f)        %8.3f s   ratio %.1fx\n", peer["savetxt_f"],
                peer["savetxt_f"] / exportColumns);
    std::printf("  numpy.savetxt (%%g)            %8.3f s   ratio %.1fx\n", peer["savetxt_g"],
                peer["savetxt_g"] / exportFull);
  } else {
    std::printf("  numpy peer did not run (is python3-numpy installed? scripts/bootstrap.sh --bench)\n");
  }
  if (!std::getenv("TEXT_BENCH_KEEP")) std::remove(columns.c_str());
  std::remove(full.c_str());
  std::error_code ec;
  for (const char* d : {"DATA", "JOB", "MACRO", "SETUP", "EXT", "FUNCTION", "MODIFY", "TXTKALIB"})
    ::rmdir((root + "/" + d).c_str());
  ::rmdir(root.c_str());
  return ok ? 0 : 1;
}
