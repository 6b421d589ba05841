#include "app/Messages.h"

#include "app/Program.h"
#include "store/FixedText.h"

namespace app {

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

}  // namespace app
