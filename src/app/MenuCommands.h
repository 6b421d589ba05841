// What choosing an item of the main menu does (`TMainWindow::EvCommand` and
// the handlers of the menu's message map), and the operations only the menu
// reaches.
#pragma once

#include <string>

namespace state {
struct Program;
}

namespace app {

using state::Program;

// `EvCommand`: clears `GoQWAgain`, runs the internal command for IDs 200 to
// 216, then the action the menu table names for the ID (an item of the menu
// or a command without one). An item whose enabled rule refuses (a greyed
// item reached by ID) says that its operation is not available. After the
// reading and algebra commands `FocusGraphs` asks the main window to give
// the focus to the graph windows; commands that reopen a submenu leave the
// ID of an item of it in `MenuPopup`.
void MenuCommand(Program& p, int id);

// Whether `MenuCommand` knows `id`: a command of the menu table or an
// internal command (200 to 216).
bool IsMenuCommand(int id);

// `EditWrite`: the remark file REMARK.TXT in the folder of the last
// waveform file, created with the waveform comment when missing, then opened
// in the editor. Answers 1 when the editor was started.
int EditWrite(Program& p);

// The content of a new remark file for a comment (line ends "\n\r").
std::string RemarkFileText(const std::string& comment);

// `Position`: lays the open graph windows of both stores out in a grid below
// the main window and reopens them there. Answers the number of windows.
int Position(Program& p);

// The help programs: the manual in a web browser (second: the second
// browser), the product web site, the news file and the manual document in
// the word processor. Each answers 1 when the program was started.
int OpenManualInBrowser(Program& p, bool second);
int OpenWebSite(Program& p, bool second);
int OpenNews(Program& p);
int OpenManualDocument(Program& p);

}  // namespace app
