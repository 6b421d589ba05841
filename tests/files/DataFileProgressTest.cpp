#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "DataFileTestSupport.h"
#include "files/DataFileReader.h"
#include "files/DataFileWriter.h"
#include "platform/Interrupts.h"
#include "state/Progress.h"

namespace {

using datafile_test::FillStore;
using datafile_test::Snapshot;
using testing_support::ReadBytes;

// A clock a second further on at every look, so that any transfer has run
// long enough to show its progress and to be stopped.
class SlowClock : public platform::FakeClock {
 public:
  uint32_t TickMs() override {
    Advance(1000);
    return FakeClock::TickMs();
  }
};

TEST(DataFileProgress, AStoppedTransferLeavesStoreAndFileWhole) {
  enum class Stop { Escape, Signal, None };
  struct Case {
    const char* name;
    bool write;
    Stop stop;
    bool unstoppable;  // the exit's saving of the work files
  };
  const Case kCases[] = {
      {"read, Esc", false, Stop::Escape, false},          {"read, SIGINT", false, Stop::Signal, false},
      {"write, Esc", true, Stop::Escape, false},          {"write, SIGINT", true, Stop::Signal, false},
      {"exit's write, SIGINT", true, Stop::Signal, true}, {"read, no stop", false, Stop::None, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    testing_support::TestEnv env;
    state::Program& p = env.prog;
    SlowClock clock;
    p.plat.clock = &clock;
    const std::string file = env.dir / "old.w";
    FillStore(p, 1, {0, 2}, 5000);
    ASSERT_EQ(files::WriteDataFileUtil(p, file, store::Store::W, 0), 1);
    const std::vector<uint8_t> oldFile = ReadBytes(file);
    FillStore(p, 1, {1}, 7000);  // the store now differs from the file
    const Snapshot before(p);

    if (c.stop == Stop::Escape) env.ui.PressEscape();
    platform::SetInterruptRequested(c.stop == Stop::Signal);
    const int waitsBefore = env.ui.Count("old.w"), hidesBefore = env.ui.waitHides_;
    int result;
    {
      std::optional<state::UnstoppableScope> keep;
      if (c.unstoppable) keep.emplace();
      result = c.write ? files::WriteDataFileUtil(p, file, store::Store::W, 0)
                       : files::ReadDataFileUtil(p, file, store::Store::W, false, -1, -1, false);
    }
    platform::SetInterruptRequested(false);

    const bool stopped = c.stop != Stop::None && !c.unstoppable;
    EXPECT_EQ(result, stopped ? 0 : 1);
    EXPECT_GT(env.ui.Count("old.w"), waitsBefore) << "the wait window names the file";
    EXPECT_EQ(env.ui.waitHides_, hidesBefore + 1);
    if (stopped) {
      EXPECT_TRUE(Snapshot(p) == before);
      EXPECT_EQ(ReadBytes(file), oldFile);
    }
    for (const auto& e : std::filesystem::directory_iterator(env.dir.path()))
      EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << "a temporary file is left";
  }
}

}  // namespace
