// Small shared helpers every subsystem uses: number formatting and rounding,
// the program's backslash file names, dates for headers and clamped reading
// of typed-in values. All of them are pure; functions that write into a
// caller's char buffer take its size, truncate and always terminate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace store {

// ---- numbers ----

// A horizontal position converted to a sample position (truncated toward
// zero). NaN gives 0 and values beyond the 64-bit range saturate, where a
// plain cast would be undefined.
int64_t TimeToCursor(double value);

// Digits needed to show `a` with the resolution |a - b|.
int PocetDigit(double a, double b);

// Writes `value` with the format "%<w+1>.<d>f" (see the .cpp for w and d).
// Mode 1 fills the width with decimals; any other mode shows as many
// decimals as the value has integer digits. Answers 0 and leaves `out`
// untouched when the decimal count would be negative, else 1.
int FloatNumToVarTextFormat(std::string& out, int mode, int width, double value);
int FloatNumToVarTextFormat(char* out, size_t size, int mode, int width, double value);

// printf of one value. `format` must hold exactly one conversion of the kinds
// f F e E g G (the double itself) or d i (the value truncated to an integer),
// with optional flags, width and precision; "%%" is allowed. Any other format
// writes nothing and answers 0, so a bad format can never read a missing
// argument.
int NumToText(std::string& out, const char* format, double value);
int NumToText(char* out, size_t size, const char* format, double value);

// `value` written as in mode 1 with `width`, cut to `digits` significant
// digits (at least 1) rounding half up on the next digit, and read back.
// 0.0 when the text has no significant digit.
double FloatRound(double value, int digits, int width);

// Four BCD digits of a 16-bit word to binary (nibbles above 9 are taken at
// their face value, as the card delivers them).
int bcd2bin(uint16_t x);

// A hexadecimal number (0-9, A-F, a-f); leading blanks are skipped and the
// first other character ends it, so "1fZ" is 0x1F and junk alone is 0.
// More than eight digits keep the low 32 bits.
uint32_t CharOctToInt(const char* text);

// Removes leading blanks in place.
void FrontSpaceOff(char* text);
void FrontSpaceOff(std::string& text);

// ---- file names ----
// The program's names use "\" as the separator; "/" is accepted as well so
// that resolved POSIX paths split the same way. Only a "." inside the last
// component counts as an extension dot ("\DATA.OLD\WORK" has none).

// A path longer than `max` (raised to 12) shown as its first component with
// its separator, "...", and the longest tail starting at a separator that
// keeps the result within `max` characters. Shorter paths are copied.
std::string ShortPath(int max, std::string_view path);
void ShortPath(int max, char* out, size_t size, std::string_view path);

// "*." and the extension of `name`; "*.*" when it has none or ends with ".";
// an empty name leaves `mask` as it is.
void Extension(std::string_view name, std::string& mask);
void Extension(std::string_view name, char* mask, size_t size);

// Replaces the extension (from the last ".") by `ext` (given with its "."),
// appends `ext` when there is no "." and appends it without its "." when
// the name ends with ".".
void ChangeExtension(std::string& name, std::string_view ext);
void ChangeExtension(char* name, size_t size, std::string_view ext);

// `path` with its file part replaced by `fileName`.
std::string AllName(std::string_view path, std::string_view fileName);
// Text after the last "." of the file part; empty when there is none.
std::string ExtensionFromName(std::string_view name);
// Text before the last separator; empty when there is none.
std::string PathFromName(std::string_view name);
// Text after the last separator; the whole name when there is none.
std::string FileNameFromName(std::string_view name);

// ---- dates ----

// "06.08.2023 ": day, month, four-digit year, blank-padded to 11 characters.
std::string GetDatum(const platform::LocalTime& t);
void GetDatum(const platform::LocalTime& t, char* text, size_t size);
// GetDatum, ",  " and " hh:mm:ss.hh" with the hour blank-padded.
std::string PisDatum(const platform::LocalTime& t);
void PisDatum(const platform::LocalTime& t, char* text, size_t size);

// ---- typed-in values ----
// The readers behind the dialogs' IntRangeGet/LongRangeGet/FloatRangeGet:
// at most `chars` characters of `text` are read (leading blanks, a sign and
// digits, as atoi/atof do; no number reads as 0), then clamped to min..max.
// `clamped`, when given, tells whether the value was out of range so an edit
// control can be rewritten.
int IntRangeGet(std::string_view text, int max, int min, int chars, bool* clamped = nullptr);
int32_t LongRangeGet(std::string_view text, int32_t max, int32_t min, int chars, bool* clamped = nullptr);
// NaN ("nan" typed in) is taken as min.
double FloatRangeGet(std::string_view text, double max, double min, int chars, bool* clamped = nullptr);

}  // namespace store
