// The program's own message path: general texts by number, `Mess` (silent
// while `DoMess` is clear) and Yes/No questions through the Ui seam. Code that
// uses a general text goes through these, so a test can find every number used.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/Ui.h"
#include "state/GeneralTexts.h"

namespace state {

struct Program;

// General text number n.
std::string Txt(const Program& p, int n);
// General text number n formatted with arguments.
std::string TxtF(const Program& p, int n, std::initializer_list<TextArg> args);

// Message box with a text and a title (`Mess`).
void Mess(Program& p, std::string_view text, std::string_view title);
// A notice the program composes itself (not a general text): the Czech or
// the English wording, as the interface language is, never a mix.
const char* Lang(const Program& p, const char* czech, const char* english);

// Tells the user, in the interface language, that an operation is not part
// of this build yet, instead of pretending it happened.
void ShowNotAvailable(Program& p, const char* whatCzech, const char* whatEnglish);
// The same for a keyword or label, which reads alike in both languages.
void ShowNotAvailable(Program& p, std::string_view name);
// Message box of general text `text` with general text `title`.
void MessT(Program& p, int text, int title);
// Yes/No question of general texts.
platform::Answer AskT(Program& p, int text, int title);

// Writes the status line of the main window ("text status").
void TS(Program& p, std::string_view text);
// Writes the macro line of the main window ("text macro").
void TM(Program& p, std::string_view text);

}  // namespace state
