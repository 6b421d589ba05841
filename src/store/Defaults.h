// The constant default copies of every record (`IG0`, `FGW0`, `CG0`, …).
#pragma once

#include "store/ChannelSettings.h"
#include "store/GlobalSettings.h"
#include "store/GraphSettings.h"
#include "store/Records.h"
#include "store/SettingsBlocks.h"

namespace store {

extern const IG_s IG0;              // identification record that opens every data file
extern const Header_s HGW0;         // static initial value of `HGW`
extern const Header_s HGB0;         // static initial value of `HGB`
extern const Channel_s FGW0;        // default channel record of the W store
extern const Channel_s FGB0;        // default channel record of the M store
extern const CG_s CG0;              // default graph settings of a channel window
extern const A_s A0;                // default acquisition settings of an input channel
extern const M_s M0;                // default measurement-mathematics / generator record
extern const MGlobals_s MGlobals0;  // default generator globals
extern const MG_s MG0;              // default measurement globals
extern const PG_s PG0;              // default program globals
extern const DG_s DG0;              // static initial value of `DG`
extern const WG_s WG0;              // default working file names
extern const Marker_s Marker0;      // a marker not in use
extern const Prt_s Prt0;            // default print settings
extern const Fun_s Fun0;            // an empty user-function page
extern const Kal_s Kal0;            // default calibration-from-curve record

// Unit prefix table `Unit`.
inline constexpr const char* Unit[6] = {"No U", "micro", "mili", " ", "kilo", "mega"};

// Prefix label of a channel: "dB " for decibel codes, then the prefix entry.
const char* PrefixEntry(int prefixCode);
bool IsDecibelCode(int prefixCode);

}  // namespace store
