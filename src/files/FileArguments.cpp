#include "files/FileArguments.h"

#include <iterator>

#include "files/DataFileNames.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/FixedText.h"

namespace files {
namespace {

using M = MaskSource;

// Every keyword that names a file, the dialog-only ones included.
constexpr FileArgument kTable[] = {
    {"RW", "\\DATA\\", M::WaveData, nullptr, 499, 500, false},
    {"RWADD", "\\DATA\\", M::WaveData, nullptr, 499, 500, false},
    {"WW", "\\DATA\\", M::WaveData, nullptr, 503, 500, true},
    {"WWR", "\\DATA\\", M::WaveData, nullptr, 503, 500, true},
    {"RM", "\\DATA\\", M::MeasData, nullptr, 501, 502, false},
    {"WM", "\\DATA\\", M::MeasData, nullptr, 504, 502, true},
    {"WMR", "\\DATA\\", M::MeasData, nullptr, 504, 502, true},
    {"WWA", "\\DATA\\", M::Fixed, "*.WTX", 505, 506, true},
    {"WMA", "\\DATA\\", M::Fixed, "*.MTX", 507, 508, true},
    {"RJOB", "\\JOB\\", M::Fixed, "*.JOB", 509, 510, false},
    {"RJOBONLY", "\\JOB\\", M::Fixed, "*.JOB", 509, 510, false},
    {"WJOB", "\\JOB\\", M::Fixed, "*.JOB", 511, 510, true},
    {"WJOBONLY", "\\JOB\\", M::Fixed, "*.JOB", 511, 510, true},
    {"DELW", "\\DATA\\", M::WaveData, nullptr, 521, 500, false},
    {"DELM", "\\DATA\\", M::MeasData, nullptr, 522, 502, false},
    {"DELWA", "\\DATA\\", M::Fixed, "*.WTX", 523, 506, false},
    {"DELMA", "\\DATA\\", M::Fixed, "*.MTX", 524, 508, false},
    {"MODIFY", "\\MODIFY\\", M::Modify, nullptr, 1220, 1219, false},
    {"CHWREAD", "\\DATA\\", M::WaveData, nullptr, 499, 500, false},
    {"WPLUS", "\\DATA\\", M::WaveData, nullptr, 499, 500, false},
    {"WMINUS", "\\DATA\\", M::WaveData, nullptr, 499, 500, false},
    {"WCPLUS", "\\DATA\\", M::WaveData, nullptr, 499, 500, false},
    {"WCMINUS", "\\DATA\\", M::WaveData, nullptr, 499, 500, false},
    {"MPLUS", "\\DATA\\", M::MeasData, nullptr, 501, 502, false},
    {"MMINUS", "\\DATA\\", M::MeasData, nullptr, 501, 502, false},
    {"MCPLUS", "\\DATA\\", M::MeasData, nullptr, 501, 502, false},
    {"MCMINUS", "\\DATA\\", M::MeasData, nullptr, 501, 502, false},
    {"ED", "\\MACRO\\", M::Macro, nullptr, 518, 517, true},
    {"EDMC", "\\MACRO\\", M::Macro, nullptr, 514, 515, true},
    {"GOMC", "\\MACRO\\", M::Macro, nullptr, 514, 515, false},
    {"GOIM", "\\MACRO\\", M::Macro, nullptr, 514, 515, false},
    {"PTA", "\\MACRO\\", M::Macro, nullptr, 514, 515, false},
};

// The file part of a mask that may carry a folder ("\MODIFY\*.TXT").
std::string MaskFile(const std::string& mask, const char* fallback) {
  size_t slash = mask.find_last_of("\\/");
  std::string file = slash == std::string::npos ? mask : mask.substr(slash + 1);
  return file.size() > 1 && file[0] == '*' ? file : std::string(fallback);
}

}  // namespace

const FileArgument* FindFileArgument(std::string_view keyword) {
  for (const FileArgument& a : kTable)
    if (keyword == a.keyword) return &a;
  return nullptr;
}

const FileArgument* FileArguments(size_t& count) {
  count = std::size(kTable);
  return kTable;
}

std::string ArgumentMask(const state::Program& p, const FileArgument& a) {
  switch (a.source) {
    case MaskSource::WaveData:
      return MaskFile(store::FieldText(p.DG.WaveExtMask), "*.W");
    case MaskSource::MeasData:
      return MaskFile(store::FieldText(p.DG.MeasExtMask), "*.M");
    case MaskSource::Modify:
      return MaskFile(store::FieldText(p.WG.ModifyMask), "*.TXT");
    case MaskSource::Macro:
      return MaskFile(store::FieldText(p.WG.MacroMask), "*.MAC");
    case MaskSource::Fixed:
      break;
  }
  return a.mask;
}

int TakeFileArgument(state::Program& p, std::string_view keyword, std::string& name,
                     const std::string& initial) {
  const FileArgument* a = FindFileArgument(keyword);
  if (!a) return 0;
  return FileName(p, state::Txt(p, a->title), state::Txt(p, a->filter), name,
                  std::string(a->folder) + ArgumentMask(p, *a), a->save, initial);
}

}  // namespace files
