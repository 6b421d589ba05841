#include "state/Messages.h"

#include "state/Program.h"
#include "store/FixedText.h"

namespace state {

std::string Txt(const Program& p, int n) { return p.Texts.Get(n); }

std::string TxtF(const Program& p, int n, std::initializer_list<TextArg> args) {
  return p.Texts.Format(n, args);
}

void Mess(Program& p, std::string_view text, std::string_view title) {
  if (p.DoMess) p.ui().Message(text, title);
}

void MessT(Program& p, int text, int title) { Mess(p, Txt(p, text), Txt(p, title)); }

platform::Answer AskT(Program& p, int text, int title) {
  return p.ui().AskYesNo(Txt(p, text), Txt(p, title));
}

void TS(Program& p, std::string_view text) {
  store::CopyText(p.Status, text);
  p.NewStatus = 1;
}

void TM(Program& p, std::string_view text) {
  store::CopyText(p.MacroSt, text);
  p.DoPanel = 1;
}

const char* Lang(const Program& p, const char* czech, const char* english) {
  return p.DG.Language ? czech : english;
}

void ShowNotAvailable(Program& p, std::string_view name) {
  Mess(p, std::string(name) + Lang(p, ": v této verzi není k dispozici", ": not available in this version"),
       Txt(p, 14));
}

void ShowNotAvailable(Program& p, const char* whatCzech, const char* whatEnglish) {
  ShowNotAvailable(p, Lang(p, whatCzech, whatEnglish));
}

}  // namespace state
