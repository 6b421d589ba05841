// The user's job operations of the main window (`TMainWindow::ReadJobFile`,
// `TMainWindow::WriteJobFile`, the file part of `TMainWindow::WriteWorkJob`):
// name choice, closing and reopening graph windows, messages, and the
// companion files (.BLK, .CAL, .FUN, .PRT, .COL) beside the job.
#pragma once

#include <string>
#include <string_view>

namespace state {
struct Program;
}

namespace files {

// The job name of RJOB, RJOBONLY, WJOB, WJOBONLY by the keyword's file rule
// ("\JOB\", "*.JOB"; the dialog starts from the last job's name). Answers 0
// when the dialog was cancelled.
[[nodiscard]] int TakeJobName(state::Program& p, std::string_view keyword, std::string& name);

// RJOB / RJOBONLY. The name is taken by `TakeJobName`, or given. Closes every graph window, reads the job
// (failure: general text 321), stores the name in `DG` and, unless onlyJob, reads the companions with their
// fallbacks. When the job's memory budget is the allocated one, reopens the windows of the stores that had
// them and answers 1; otherwise shows general text 322 and ends the program without a question, so that the
// next start allocates the job's budget (answer 0).
[[nodiscard]] int ReadJobFile(state::Program& p, int onlyJob);
[[nodiscard]] int ReadJobFile(state::Program& p, int onlyJob, const std::string& name);

// WJOB / WJOBONLY: the name as for reading, from the save dialog; an existing
// file is replaced only after general text 323 is answered Yes (no question
// while a macro runs). Failure of the job or a companion: general text 324.
[[nodiscard]] int WriteJobFile(state::Program& p, int onlyJob);
[[nodiscard]] int WriteJobFile(state::Program& p, int onlyJob, const std::string& name);

// Companions beside a job path (a null path: the working set). Reading
// falls back per file: `A0` for .CAL, `Fun0` in the five function pages for
// .FUN, `Prt0` for .PRT, the colour defaults for .COL; .BLK clears itself.
void ReadJobCompanions(state::Program& p, const char* jobPathOrNull);
[[nodiscard]] int WriteJobCompanions(state::Program& p, const char* jobPathOrNull);

// The job "\JOB\WORK.JOB" and its working companions, written at exit after
// the two data work files. Answers 1 when every file was written.
[[nodiscard]] int WriteWorkJobFiles(state::Program& p);

}  // namespace files
