#include "files/Converter.h"

#include <unistd.h>

#include "app/GraphWindows.h"
#include "app/Messages.h"
#include "app/Program.h"
#include "files/DataFileFormat.h"

namespace files {

std::string ConverterPath(const app::Program& p) {
  std::string dir = p.Path;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir + "konverze";
}

int Conversion(app::Program& p) {
  app::UnDisplayWave(p, 1, -1);
  app::UnDisplayWave(p, 0, -1);
  p.DG.NameQueue[0] = '\0';
  const std::string program = ConverterPath(p);
  const bool started =
      ::access(program.c_str(), X_OK) == 0 && p.plat.process && p.plat.process->Start({program});
  if (!started) {
    ReportOpenFailure(p, program, true);
    return 0;
  }
  return 1;
}

}  // namespace files
