// The job's companion files in one include: calibration (.CAL), functions
// (.FUN), print (.PRT), colours (.COL), history (.BLK), the fixed job file and
// the first-start fallbacks of the working set.
#pragma once

#include "files/CalibrationFile.h"
#include "files/ColourFile.h"
#include "files/FixJobFile.h"
#include "files/FunctionFile.h"
#include "files/HistoryFile.h"
#include "files/PrintFile.h"
#include "files/WorkSettings.h"
