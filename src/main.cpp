// The `tarvelin` program. Until the desktop program is built, every start
// runs headless.
#include <cstdio>
#include <string>
#include <vector>

#include "app/HeadlessRunner.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  bool headless = false;
  for (const std::string& a : args)
    if (a == "--headless") headless = true;
  app::HeadlessOptions options;
  std::string error;
  if (!app::ParseHeadlessArguments(args, options, error)) {
    std::fprintf(stderr,
                 "tarvelin: %s\nusage: tarvelin --headless [--root DIR] [--answer yes|no] [--macro NAME] "
                 "[--no-save] [WORD1 [WORD2]]\n",
                 error.c_str());
    return 2;
  }
  if (!headless) std::fprintf(stderr, "tarvelin: the desktop program is not built yet; running headless\n");
  return app::RunHeadless(options);
}
