#include "files/Converter.h"

#include <unistd.h>

#include "files/DataFileFormat.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace files {

std::string ConverterPath(const state::Program& p) {
  std::string dir = p.Path;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir + "konverze";
}

int Conversion(state::Program& p) {
  state::UnDisplayWave(p, store::Store::W, -1);
  state::UnDisplayWave(p, store::Store::M, -1);
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
