// libFuzzer harness for the .W/.M reader and the joiner: the input is a data
// file, read in every mode into a small program. A crash, an overrun (under
// ASan) or a store changed by a refused file is a finding.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/Allocation.h"
#include "files/DataFileLink.h"
#include "files/DataFileReader.h"
#include "platform/FakeClock.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/Paths.h"
#include "platform/ScriptedUi.h"
#include "state/Program.h"

namespace {

struct Harness {
  Harness() {
    char tmpl[] = "/tmp/tarvelin-fuzz-XXXXXX";
    const char* dir = ::mkdtemp(tmpl);
    root = dir ? dir : "/tmp";
    file = root + "/input.w";
    paths = std::make_unique<platform::Paths>(root, "");
    prog = std::make_unique<state::Program>(
        state::Platform{&ui, &clock, nullptr, nullptr, &windows, paths.get()});
    prog->Path = root;
    prog->DG.TotalSamples = 4096;
    prog->DG.MaxLength = 4096;
    app::AllocateRecords(*prog);
    app::SizeMemory(*prog);
    app::AllocateSampleArrays(*prog);
    app::AllocateBuffers(*prog);
  }
  ~Harness() {
    ::unlink(file.c_str());
    ::rmdir(root.c_str());
  }

  // Back to one known store before each read, so every run starts alike.
  void Reset() {
    state::Program& p = *prog;
    p.HGW = store::HGW0;
    p.HGB = store::HGB0;
    p.HGW.ChannelOn[2] = 1;
    p.HGW.ChannelCount = 2;
    for (int i = 0; i < store::kChannels; ++i) {
      p.FGW[size_t(i)] = store::FGW0;
      p.FGB[size_t(i)] = store::FGB0;
    }
    for (int i = 0; i < 256; ++i) p.Waveform[size_t(i)] = float(i);
    for (int i = 0; i < 128; ++i) p.Buffer[size_t(i)] = float(-i);
    ui.ClearLog();
  }

  // The bytes a refused read must leave alone.
  std::vector<uint8_t> Snapshot() const {
    std::vector<uint8_t> s;
    auto add = [&](const void* d, size_t n) {
      const auto* b = static_cast<const uint8_t*>(d);
      s.insert(s.end(), b, b + n);
    };
    add(&prog->HGW, sizeof prog->HGW);
    add(&prog->HGB, sizeof prog->HGB);
    add(prog->FGW.get(), prog->FGW.bytes());
    add(prog->FGB.get(), prog->FGB.bytes());
    add(prog->Waveform.get(), prog->Waveform.bytes());
    add(prog->Buffer.get(), prog->Buffer.bytes());
    return s;
  }

  std::string root, file;
  platform::ScriptedUi ui;
  platform::FakeClock clock;
  platform::HeadlessWindowHost windows;
  std::unique_ptr<platform::Paths> paths;
  std::unique_ptr<state::Program> prog;
};

void Check(const Harness& h, const std::vector<uint8_t>& before, int answer) {
  if (answer == 0 && h.Snapshot() != before) {
    std::fprintf(stderr, "a refused file changed the store\n");
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Harness h;
  FILE* f = std::fopen(h.file.c_str(), "wb");
  if (!f) return 0;
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);

  const int store = size && (data[size - 1] & 1) ? 0 : 1;
  const int fileChannel = size ? data[size / 2] % 130 : 0;
  struct Mode {
    int store, fileChannel, dest, accumulate;
  };
  const Mode modes[] = {{store, -1, -1, 0}, {1, fileChannel, 2, 0}, {store, -1, -1, 1}};
  for (const Mode& m : modes) {
    h.Reset();
    const auto before = h.Snapshot();
    Check(h, before,
          files::ReadDataFileUtil(*h.prog, "\\input.w", store::StoreFromFlag(m.store), true, m.fileChannel,
                                  m.dest, m.accumulate != 0));
  }
  h.Reset();
  const auto before = h.Snapshot();
  Check(h, before, files::WaveformLinkUtil(*h.prog, "\\input.w", store::Store::W));
  return 0;
}
