// Executors of the name and time-stamp keywords.
#include <string>

#include "files/DataFileNames.h"
#include "macro/CommandBuffer.h"
#include "macro/Executors.h"
#include "macro/Prompts.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace macro {

int NameCommand(state::Program& p, store::Store store, bool set) {
  files::NameInMacro(p, store, set);
  SetQueue(p, "");
  return kDone;
}

int ExIMPLICITNAME(state::Program& p) {
  files::ImplicitNameUtil(p);
  SetQueue(p, "");
  p.W_NameGo = 1;
  return kDone;
}

int ExDATNAME(state::Program& p) {
  files::NameDatum(p);
  p.W_NameGo = 1;
  return kDone;
}

int ExWNAME_INDX(state::Program& p) {
  int32_t slot = 0;
  if (!GetChannel(p, slot, 0, 15, state::Txt(p, 838), "WNAME_INDX")) return kFailed;
  p.W_NameIndx = int16_t(slot);
  p.W_NameGo = 1;
  return kDone;
}

int TimeToCom(state::Program& p, store::Store store) {
  if (!(store::IsW(store) ? p.Waveform : p.Buffer)) return kFailed;
  platform::LocalTime t = p.plat.clock ? p.plat.clock->Now() : platform::LocalTime{};
  store::Header_s& header = p.Header(store);
  // The old comment moves right and loses what passes the field's end.
  std::string comment = store::PisDatum(t) + "\r\n" + store::FieldText(header.Comment);
  store::CopyText(header.Comment, comment);
  return kDone;
}

}  // namespace macro
