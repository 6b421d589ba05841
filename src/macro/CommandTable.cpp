#include "macro/CommandTable.h"

#include <cstring>

namespace macro {

// In the order the command dialog lists them, family by family. "KONEC",
// "CMOSTIME" and "OPTO_DELAY" stand here although nothing executes them;
// "DEFAULT" and "PROLONGD_2" execute although they are missing here.
const char* const Commands[kCommandCount + 1] = {
    "RW",           "WW",          "WWR",      "WWA",      "RM",       "WM",         "WMR",
    "WMA",          "RWADD",       "RJOB",     "WJOB",     "RJOBONLY", "WJOBONLY",   "DELW",
    "DELM",         "DELWA",       "DELMA",    "MODIFY",   "CONV",     "FREEMEM",    "MEMSIZE",
    "IMPLICITNAME", "WNAME",       "WNAMEI",   "MNAME",    "MNAMEI",   "DATNAME",    "WNAME_INDX",
    "WTIME",        "MTIME",       "EXIT",     "QUIT",     "KONEC",    "QM",         "QW",
    "SETTING",      "DTR",         "ADTEST",   "SIMON",    "SIMOFF",   "IMPLICIT",   "FILTER",
    "GAIN",         "CHANNEL",     "MAINCH",   "MSIZE",    "MPER",     "MBEFORE",    "MMAX",
    "MMIN",         "MSCRTIME",    "WSIZE",    "WPER",     "WSPER",    "TMAX",       "TMIN",
    "MRCON",        "MRCOFF",      "MTRON",    "MTROFF",   "MSCRON",   "MSCROFF",    "MSVON",
    "MSVOFF",       "MORON",       "MOROFF",   "WRCON",    "WRCOFF",   "WADDON",     "WADDOFF",
    "SPIKEON",      "SPIKEOFF",    "COMBION",  "COMBIOFF", "BASEADR",  "IMPADR",     "AQTON",
    "AQTOFF",       "DWON",        "DWOFF",    "DMON",     "DMOFF",    "CMOSTIME",   "OPTO_DELAY",
    "DIGOUT",       "DA1",         "DA2",      "PWAIT",    "PWAITOFF", "DELAY",      "BEEP",
    "BEEPON",       "BEEPOFF",     "ED",       "EDMC",     "GOMC",     "GOIM",       "CLMC",
    "INMC",         "COMW",        "COMM",     "DISPL",    "DISPLB",   "DISPLFAST",  "DL",
    "CTRLW",        "HADD",        "HCLALL",   "KB",       "CTRLA",    "POWER",      "MAG",
    "ALL",          "CTRLB",       "SS",       "CTRLM",    "PEN",      "DW",         "DM",
    "UNDW",         "UNDM",        "FFT",      "WTOMAG",   "STAT",     "STATENERGO", "WDECIM",
    "DOUBLE",       "PROLONG_2",   "JUMP_OFF", "WBZERO",   "MBZERO",   "WBZEROHZ",   "WBCDHZ",
    "WBPWCDHZ",     "WINTEGRALDT", "WDERIVDT", "FUN",      "WPLUS",    "WMINUS",     "WCPLUS",
    "WCMINUS",      "WLCD",        "WLCF",     "WYK",      "WYP",      "MPLUS",      "MMINUS",
    "MCPLUS",       "MCMINUS",     "MLCD",     "MLCF",     "MYK",      "MYP",        "CHWCOPY",
    "CHWDEL",       "CHWADD",      "CHWSUB",   "CHWMPY",   "CHWDIV",   "CHWREAD",    "CHWNAME",
    "CHWUNIT",      "PTW",         "PTM",      "PTA",      "PTMC",     nullptr};

bool IsCommand(std::string_view keyword) {
  for (const char* const* k = Commands; *k; ++k)
    if (keyword == *k) return true;
  return false;
}

}  // namespace macro
