// The `tarvelin` program: the desktop program, or with --headless the same
// start-up, command line and exit without a display.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/HeadlessRunner.h"
#ifdef TARVELIN_DESKTOP
#include "qt/DesktopRunner.h"
#include "qt/PrintJobs.h"
#endif

namespace {

// Qt's own options ("-platform offscreen", "-style fusion") are Qt's to
// take; they are no command words.
std::vector<std::string> ProgramArguments(int argc, char** argv, bool desktop) {
  static const char* const kWithValue[] = {
      "-platform",   "-platformpluginpath", "-platformtheme", "-plugin",      "-display", "-style",
      "-stylesheet", "-qwindowgeometry",    "-qwindowtitle",  "-qwindowicon", "-session", "-geometry",
      "-title"};
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (desktop && a[0] == '-' && a[1] != '-' && a[1] != '\0') {
      for (const char* option : kWithValue)
        if (std::strcmp(a, option) == 0 && i + 1 < argc) ++i;
      continue;
    }
    args.emplace_back(a);
  }
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  bool headless = false;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--headless") == 0) headless = true;
#ifdef TARVELIN_DESKTOP
  const bool desktop = !headless;
#else
  const bool desktop = false;
#endif
  std::vector<std::string> args = ProgramArguments(argc, argv, desktop);
  app::HeadlessOptions options;
  std::string error;
  if (!app::ParseHeadlessArguments(args, options, error)) {
    std::fprintf(stderr,
                 "tarvelin: %s\nusage: tarvelin [--root DIR] [--macro NAME] [--no-save] [--screenshot "
                 "FILE.png] [WORD1 [WORD2]]\n"
                 "       tarvelin --headless [--root DIR] [--answer yes|no] [--menu ID [--file PATH]...]... "
                 "[--macro NAME] [--no-save] [--print-to FILE.pdf] [WORD1 [WORD2]]\n",
                 error.c_str());
    return 2;
  }
  if (desktop && !options.menus.empty()) {
    std::fprintf(stderr, "tarvelin: --menu runs without a display only; add --headless\n");
    return 2;
  }
#ifdef TARVELIN_DESKTOP
  if (desktop) return qt::RunDesktop(argc, argv, options);
  // Qt draws the PDF pages; its application starts only when a print needs it.
  options.printJobs = qt::PdfJobsWithoutDisplay(argc, argv);
#else
  if (!headless) std::fprintf(stderr, "tarvelin: built without the desktop program; running headless\n");
#endif
  return app::RunHeadless(options);
}
