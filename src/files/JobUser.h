// The user's job operations of the main window (`TMainWindow::ReadJobFile`,
// `TMainWindow::WriteJobFile`, the file part of `TMainWindow::WriteWorkJob`):
// name choice, closing and reopening graph windows, messages, and the
// companion files (.BLK, .CAL, .FUN, .PRT, .COL) beside the job.
#pragma once

namespace app {
struct Program;
}

namespace files {

// RJOB / RJOBONLY. The name is the next word of `NameQueue`, else chosen in
// the open dialog. Closes every graph window, reads the job (failure:
// general text 321), stores the name in `DG` and, unless onlyJob, reads the
// companions with their fallbacks. When the job's memory budget is the
// allocated one, reopens the windows of the stores that had them and answers
// 1; otherwise shows general text 322 and ends the program without a
// question, so that the next start allocates the job's budget (answer 0).
int ReadJobFile(app::Program& p, int onlyJob);

// WJOB / WJOBONLY: the name as for reading, from the save dialog; an existing
// file is replaced only after general text 323 is answered Yes (no question
// while a macro runs). Failure of the job or a companion: general text 324.
int WriteJobFile(app::Program& p, int onlyJob);

// Companions beside a job path (a null path: the working set). Reading
// falls back per file: `A0` for .CAL, `Fun0` in the five function pages for
// .FUN, `Prt0` for .PRT, the colour defaults for .COL; .BLK clears itself.
void ReadJobCompanions(app::Program& p, const char* jobPathOrNull);
int WriteJobCompanions(app::Program& p, const char* jobPathOrNull);

// The job "\JOB\WORK.JOB" and its working companions, written at exit after
// the two data work files. Answers 1 when every file was written.
int WriteWorkJobFiles(app::Program& p);

}  // namespace files
