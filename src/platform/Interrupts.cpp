#include "platform/Interrupts.h"

#include <csignal>

namespace platform {
namespace {

volatile std::sig_atomic_t requested = 0;

extern "C" void OnInterrupt(int) { requested = 1; }

}  // namespace

void InstallInterruptHandlers() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a sleep or a blocking read ends early, so the loops see
  // the request at once.
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool InterruptRequested() { return requested != 0; }

void SetInterruptRequested(bool on) { requested = on ? 1 : 0; }

}  // namespace platform
