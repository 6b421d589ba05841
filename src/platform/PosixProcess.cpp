#include "platform/PosixProcess.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>

extern char** environ;

namespace platform {

PosixProcess::~PosixProcess() {
  // Programs still running (an editor) are left alone; whatever has ended is
  // reaped. The rest are reaped by init when we exit.
  Reap();
}

void PosixProcess::Reap() {
  children_.erase(std::remove_if(children_.begin(), children_.end(),
                                 [](pid_t pid) {
                                   int status = 0;
                                   pid_t r = ::waitpid(pid, &status, WNOHANG);
                                   return r == pid || r < 0;  // ended, or not ours any more
                                 }),
                  children_.end());
}

bool PosixProcess::Start(const std::vector<std::string>& argv) {
  Reap();
  if (argv.empty() || argv[0].empty()) return false;
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  // glibc spawns with vfork semantics and reports a failed exec here.
  if (::posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return false;
  children_.push_back(pid);
  return true;
}

}  // namespace platform
