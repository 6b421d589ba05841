#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "QtTestSupport.h"
#include "qt/GraphWidget.h"
#include "qt/QtWindowHost.h"

namespace {

// A window of another kind than the graph window: a model only.
class LogWindow : public platform::GraphWindow {
 public:
  void UserMessage(int code, int arg) override {
    messages.emplace_back(code, arg);
    if (onMessage) onMessage(code);
  }
  void SetCaption(const std::string& c) override { caption = c; }
  const std::string& Caption() const override { return caption; }
  void Paint() override { ++paints; }
  void Timer() override { ++timers; }

  std::vector<std::pair<int, int>> messages;
  std::function<void(int)> onMessage;
  std::string caption;
  int paints = 0, timers = 0;
};

using qt_test::RunEvents;
using qt_test::RunUntil;

TEST(QtWindowHost, PostedMessagesWaitForTheEventLoopAndKeepTheirOrder) {
  qt::QtWindowHost host;
  std::vector<std::pair<int, int>> main;
  host.SetMainHandler([&](int code, int arg) { main.emplace_back(code, arg); });
  LogWindow a, b;
  host.Show(a);
  host.Show(a);  // shown once, painted once
  host.Show(b);
  EXPECT_EQ(host.ShownCount(), 2u);
  host.Post(a, 2000, 1);
  host.PostMain(1998, 0);
  host.Post(b, 2040, 0);
  host.Post(a, 2003, 2);
  EXPECT_TRUE(a.messages.empty() && main.empty());

  RunEvents();
  EXPECT_EQ(std::tuple(a.paints, b.paints), std::tuple(1, 1));
  EXPECT_EQ(a.messages, (std::vector<std::pair<int, int>>{{2000, 1}, {2003, 2}}));
  EXPECT_EQ(b.messages, (std::vector<std::pair<int, int>>{{2040, 0}}));
  EXPECT_EQ(main, (std::vector<std::pair<int, int>>{{1998, 0}}));
}

TEST(QtWindowHost, MessagesForAClosedWindowAreDropped) {
  qt::QtWindowHost host;
  LogWindow a, b;
  host.Post(a, 1, 0);  // never shown
  host.Show(a);
  host.Show(b);
  host.Post(a, 2000, 0);
  host.Post(b, 2000, 0);
  host.Close(a);
  host.Close(a);
  host.Post(a, 2001, 0);
  // A handler that closes another window drops what is still queued for it.
  b.onMessage = [&](int) { host.Close(b); };
  host.Post(b, 2002, 0);
  RunEvents();
  EXPECT_TRUE(a.messages.empty());
  EXPECT_EQ(std::tuple(a.paints, b.messages.size()), std::tuple(0, 1u));

  // Shown again: a new window as far as the queue is concerned.
  host.Show(a);
  host.Post(a, 7, 0);
  RunEvents();
  EXPECT_EQ(a.messages, (std::vector<std::pair<int, int>>{{7, 0}}));
}

TEST(QtWindowHost, WindowTimersRunFromTheLoopButNotWhileHeld) {
  qt::QtWindowHost host;
  LogWindow a;
  host.Show(a);
  {
    qt::TimerHold hold;
    EXPECT_TRUE(qt::TimerHold::Held());
    RunUntil([] { return false; }, 2 * qt::kGraphTimerMs);
    EXPECT_EQ(a.timers, 0);
  }
  EXPECT_FALSE(qt::TimerHold::Held());
  EXPECT_TRUE(RunUntil([&] { return a.timers > 0; }, 5000));
  host.Close(a);
}

}  // namespace
