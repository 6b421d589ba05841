#include "state/Progress.h"

#include <algorithm>
#include <utility>

#include "platform/Interrupts.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace state {
namespace {

int unstoppable = 0;  // live UnstoppableScopes

}  // namespace

UnstoppableScope::UnstoppableScope() { ++unstoppable; }
UnstoppableScope::~UnstoppableScope() { --unstoppable; }
bool UnstoppableScope::Active() { return unstoppable > 0; }

Progress::Progress(Program& p, std::string text) : p_(p), text_(std::move(text)) {
  if (p_.plat.clock) start_ = lastPoll_ = p_.plat.clock->TickMs();
}

Progress::~Progress() {
  if (shown_) p_.ui().HideWait();
}

bool Progress::Step(int64_t done, int64_t total) {
  if (stopped_) return false;
  if (!p_.plat.clock) return true;
  const uint32_t now = p_.plat.clock->TickMs();
  // A short operation shows nothing and takes no key meant for what follows.
  if (!shown_ && uint32_t(now - start_) < kShowAfterMs) return true;
  if (!shown_) {
    shown_ = true;
    p_.ui().ShowWait(text_);
  }
  const int percent = total > 0 ? int(std::min<int64_t>(100, std::max<int64_t>(0, done) * 100 / total)) : 0;
  if (percent != percent_) {
    percent_ = percent;
    p_.ui().WaitProgress(percent);
  }
  if (uint32_t(now - lastPoll_) < kPollEveryMs) return true;
  lastPoll_ = now;
  const bool exiting = p_.DoExit || p_.BudeKonecAleAzPoGrafech || UnstoppableScope::Active();
  if (!exiting && (p_.ui().EscapePressed() || platform::InterruptRequested())) stopped_ = true;
  return !stopped_;
}

void ReportStopped(Program& p, const std::string& what) {
  Mess(p, what + Lang(p, ": přerušeno, nic se nezměnilo", ": stopped, nothing was changed"), Txt(p, 11));
}

}  // namespace state
