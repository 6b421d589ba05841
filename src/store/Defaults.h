// The constant default copies of every record (`IG0`, `FGW0`, `CG0`, …).
#pragma once

#include "store/ChannelSettings.h"
#include "store/GlobalSettings.h"
#include "store/GraphSettings.h"
#include "store/Records.h"
#include "store/SettingsBlocks.h"

namespace store {

extern const IG_s IG0;
extern const Header_s HGW0;  // static initial value of `HGW`
extern const Header_s HGB0;  // static initial value of `HGB`
// Default channel records.
extern const Channel_s FGW0;
extern const Channel_s FGB0;
extern const CG_s CG0;
extern const A_s A0;
extern const M_s M0;
extern const MGlobals_s MGlobals0;
extern const MG_s MG0;
extern const PG_s PG0;
extern const DG_s DG0;  // static initial value of `DG`
extern const WG_s WG0;
extern const Marker_s Marker0;
extern const Prt_s Prt0;
extern const Fun_s Fun0;
extern const Kal_s Kal0;

// Unit prefix table `Unit`.
inline constexpr const char* Unit[6] = {"No U", "micro", "mili", " ", "kilo", "mega"};

// Prefix label of a channel: "dB " for decibel codes, then the prefix entry.
const char* PrefixEntry(int prefixCode);
bool IsDecibelCode(int prefixCode);

}  // namespace store
