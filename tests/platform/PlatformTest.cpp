#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include "platform/DlLibrary.h"
#include "platform/HeadlessWindowHost.h"
#include "platform/Paths.h"
#include "platform/PosixProcess.h"
#include "platform/RecordingCanvas.h"
#include "platform/ScriptedUi.h"
#include "support/TestSupport.h"

namespace platform {
namespace {

using testing_support::FileExists;
using testing_support::TempDir;
using testing_support::WriteText;

std::set<std::string> Entries(const std::string& dir) {
  std::set<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (dirent* e = ::readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.insert(e->d_name);
    ::closedir(d);
  }
  return names;
}

TEST(PathsTest, BackslashNamesResolveBelowTheRootMatchingCase) {
  TempDir root;
  Paths paths(root.path() + "/", "");
  ::mkdir((root / "data").c_str(), 0777);
  WriteText(root / "data/Work_w.w", "x");
  EXPECT_EQ(paths.Resolve("DATA\\WORK_W.W"), root / "data/Work_w.w");
  // Missing parts keep their spelling, below what matched.
  EXPECT_EQ(paths.Resolve("\\DATA\\NEW.W"), root / "data/NEW.W");
  EXPECT_EQ(paths.Resolve("\\JOB\\WORK.JOB"), root / "JOB/WORK.JOB");
  // Absolute paths (a file dialog's answer) stay as they are.
  EXPECT_EQ(paths.Resolve(root / "data/Work_w.w"), root / "data/Work_w.w");
}

TEST(PathsTest, StandardFoldersAreCreatedEvenForAMissingRoot) {
  TempDir tmp;
  Paths paths(tmp / "new/prog", "");
  ::mkdir((tmp / "new").c_str(), 0777);
  ASSERT_TRUE(paths.CreateStandardFolders());
  for (const char* f : {"DATA", "JOB", "MACRO", "SETUP", "EXT", "FUNCTION", "MODIFY", "TXTKALIB"})
    EXPECT_TRUE(FileExists(tmp / "new/prog/" + f)) << f;
  // An existing folder in other case is used, not duplicated.
  TempDir other;
  ::mkdir((other / "data").c_str(), 0777);
  ASSERT_TRUE(Paths(other.path(), "").CreateStandardFolders());
  EXPECT_EQ(Entries(other.path()).count("DATA"), 0u);
  EXPECT_EQ(Entries(other.path()).count("data"), 1u);

  Paths deep(tmp / "a/b/c", "");
  EXPECT_TRUE(deep.CreateStandardFolders());
  EXPECT_TRUE(FileExists(tmp / "a/b/c/DATA"));
}

TEST(PathsTest, ResourcesAreFoundInTheProgramFolderFirst) {
  TempDir root, res;
  Paths paths(root.path(), res.path());
  EXPECT_FALSE(paths.FindResource("trv_gb.txt"));
  WriteText(res / "trv_gb.txt", "installed");
  EXPECT_EQ(paths.FindResource("trv_gb.txt"), res / "trv_gb.txt");
  WriteText(root / "TRV_GB.TXT", "own");
  EXPECT_EQ(paths.FindResource("trv_gb.txt"), root / "TRV_GB.TXT");
}

TEST(ScriptedUiTest, QueueFirstThenDefaultPolicy) {
  ScriptedUi ui;
  ui.Push(Answer::No);
  ui.Push(Answer::Cancel);
  ui.Push(Answer::Cancel);
  EXPECT_EQ(ui.AskYesNo("q1", "t"), Answer::No);
  EXPECT_EQ(ui.AskYesNo("q2", "t"), Answer::No);  // no Cancel in a Yes/No question
  EXPECT_EQ(ui.AskYesNoCancel("q3", "t"), Answer::Cancel);
  EXPECT_EQ(ui.AskYesNo("q4", "t"), Answer::Yes);
  ui.SetDefaultAnswer(Answer::No);
  EXPECT_EQ(ui.AskYesNoCancel("q5", "t"), Answer::No);
  EXPECT_FALSE(ui.ChooseFile({}));  // cancelled by default
}

TEST(ScriptedUiTest, PromptsClampAndCancel) {
  ScriptedUi ui;
  ui.Push(50.0);
  ui.Push(int64_t(-5));
  ui.Push(Answer::No);
  ui.Push(1e300);
  ui.Push(std::nan(""));
  EXPECT_EQ(ui.PromptFloat("f", 0, 10, 1), 10.0);
  EXPECT_EQ(ui.PromptInt("i", 0, 10, 1), 0);
  EXPECT_FALSE(ui.PromptInt("i", 0, 10, 1));
  EXPECT_EQ(ui.PromptInt("i", 0, 10, 1), 10);  // a huge double saturates, then clamps
  EXPECT_EQ(ui.PromptFloat("f", -1, 1, 0), -1.0);
  EXPECT_EQ(ui.PromptInt("i", 10, 0, 7), 10);  // crossed limits do not crash
}

class CountingWindow : public GraphWindow {
 public:
  void UserMessage(int code, int) override {
    codes.push_back(code);
    if (onMessage) onMessage(code);
  }
  void SetCaption(const std::string& c) override { caption = c; }
  const std::string& Caption() const override { return caption; }
  void Paint() override { ++paints; }
  void Timer() override { ++timers; }
  std::vector<int> codes;
  std::function<void(int)> onMessage;
  std::string caption;
  int paints = 0, timers = 0;
};

TEST(HeadlessWindowHostTest, FirstPaintOnceAndMessagesInOrder) {
  HeadlessWindowHost host;
  CountingWindow w;
  host.Show(w);
  host.Show(w);  // shown twice still paints once
  host.Post(w, 2040, 0);
  host.Post(w, 2000, 0);
  host.DeliverPending();
  host.DeliverPending();
  EXPECT_EQ(w.paints, 1);
  EXPECT_EQ(w.codes, (std::vector<int>{2040, 2000}));
  host.RunWindowTimers();
  EXPECT_EQ(w.timers, 1);
}

TEST(HeadlessWindowHostTest, MessagesToAClosedWindowAreDropped) {
  HeadlessWindowHost host;
  CountingWindow a, b;
  host.Show(a);
  host.Show(b);
  host.Post(a, 2040, 0);
  host.Post(b, 2040, 0);
  host.Post(b, 2000, 0);
  // a's handler closes b while b's messages still wait in this very pass.
  a.onMessage = [&](int) { host.Close(b); };
  host.DeliverPending();
  EXPECT_EQ(a.codes, std::vector<int>{2040});
  EXPECT_TRUE(b.codes.empty());
  EXPECT_EQ(b.paints, 1);

  // Closed before delivery and shown again at the same address: the new
  // window gets its first paint but not the old window's message.
  CountingWindow c;
  host.Show(c);
  host.Post(c, 2040, 0);
  host.Close(c);
  host.Post(c, 2001, 0);  // not shown: dropped at once
  host.Show(c);
  host.DeliverPending();
  EXPECT_TRUE(c.codes.empty());
  EXPECT_EQ(c.paints, 1);
  EXPECT_EQ(host.ShownCount(), 2u);
}

TEST(PosixProcessTest, ArgumentsReachTheProgramUnparsed) {
  TempDir dir;
  const std::string name = "a b 'q\" ; touch pwned $(touch pwned2) `x`";
  PosixProcess process;
  ASSERT_TRUE(process.Start({"touch", dir / name}));
  bool found = false;
  for (int i = 0; i < 200 && !found; ++i) {
    found = FileExists(dir / name);
    if (!found) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(found);
  EXPECT_EQ(Entries(dir.path()), std::set<std::string>{name});
  EXPECT_FALSE(FileExists("pwned"));  // a shell would have run these in our folder
  EXPECT_FALSE(FileExists("pwned2"));

  // Ended children are reaped by the next start, so none stays a zombie.
  for (int i = 0; i < 200 && process.Running() > 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    process.Reap();
  }
  EXPECT_EQ(process.Running(), 0u);

  EXPECT_FALSE(process.Start({}));
  EXPECT_FALSE(process.Start({"tarvelin-no-such-program-here"}));
}

TEST(DlLibraryTest, MissingLibraryReportsAndRealOneResolves) {
  DlLibrary dl;
  std::string error;
  EXPECT_FALSE(dl.Open("libtarvelin-missing.so", error));
  EXPECT_NE(error.find("libtarvelin-missing.so"), std::string::npos);
  EXPECT_FALSE(dl.Open("", error));
  EXPECT_FALSE(error.empty());

  auto libm = dl.Open("libm.so.6", error);
  ASSERT_TRUE(libm) << error;
  EXPECT_TRUE(error.empty());
  auto cosine = reinterpret_cast<double (*)(double)>(libm->Symbol("cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(libm->Symbol("tarvelin_no_such_symbol"), nullptr);
}

TEST(RecordingCanvasTest, RecordsCallsAndState) {
  RecordingCanvas c(640, 480);
  EXPECT_EQ(c.Width(), 640);
  EXPECT_EQ(c.Height(), 480);
  c.SetPen(0x0000FF, 2);
  c.Line({1, 2}, {3, 4});
  c.Polyline({{0, 0}, {5, 6}});
  c.SetXor(true);
  c.FillRect(0, 0, 10, 10, 0xFFFFFF);
  Font f;
  f.width = 8;
  c.SetFont(f);
  EXPECT_EQ(c.Text({5, 6}, "abc", HAlign::Right, VAlign::Bottom), 24);
  EXPECT_EQ(c.TextWidth("\xc5\xa1"
                        "x"),
            16);  // two characters, three bytes
  EXPECT_EQ(c.Ops()[0], "SetPen 0000FF 2");
  EXPECT_EQ(c.Ops()[1], "Line 1,2-3,4");
  EXPECT_EQ(c.Ops()[2], "Polyline 0,0 5,6");
  EXPECT_EQ(c.Ops()[4], "FillRect 0,0-10,10 FFFFFF");
  EXPECT_EQ(c.Ops().back(), "Text 5,6 RB \"abc\"");
  EXPECT_EQ(c.Count("Set"), 3);
  EXPECT_TRUE(c.Current().xorMode);
  EXPECT_EQ(c.Current().penWidth, 2);
  c.Clear();
  EXPECT_TRUE(c.Ops().empty());
}

}  // namespace
}  // namespace platform
