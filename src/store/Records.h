// Data records of the two stores as they lie in memory and in .W/.M files.
// Every record is packed and copied as bytes: offsets are checked below so a
// file written here is byte-for-byte what other copies of the program read.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "records are stored little-endian");

namespace store {

inline constexpr int kChannels = 128;
inline constexpr char kIdText[] = "TARVELIN, B 3.0,7/95";
inline constexpr char kIdSegmented[] = "TARVELIN, SEGMENTED";
inline constexpr int kSegmentRecordSize = 1538;

#pragma pack(push, 1)

// Identification that opens every data file.
struct IG_s {
  char IdText[20];  // no terminator
  int16_t MaxChannels;
};

// Header of a store (`HGW`, `HGB`).
struct Header_s {
  int16_t ChannelCount;
  int16_t ChannelOn[kChannels];
  int32_t Length;
  int16_t IsWaveform;
  char Date[12];
  int16_t TriggerFlag;
  int32_t PreTrigger;
  uint8_t TriggerTime[4];  // minutes, hours, hundredths, seconds
  char Comment[300];
};

// Channel record (`FGW[i]`, `FGB[i]`).
struct Channel_s {
  int16_t IsSpectrum;
  char Name[30];
  char Unit[20];
  int16_t PrefixCode;
  char XUnit[20];
  float Step;
};

#pragma pack(pop)

static_assert(sizeof(IG_s) == 22);
static_assert(offsetof(IG_s, MaxChannels) == 20);

static_assert(sizeof(Header_s) == 586);
static_assert(offsetof(Header_s, ChannelOn) == 2);
static_assert(offsetof(Header_s, Length) == 258);
static_assert(offsetof(Header_s, IsWaveform) == 262);
static_assert(offsetof(Header_s, Date) == 264);
static_assert(offsetof(Header_s, TriggerFlag) == 276);
static_assert(offsetof(Header_s, PreTrigger) == 278);
static_assert(offsetof(Header_s, TriggerTime) == 282);
static_assert(offsetof(Header_s, Comment) == 286);

static_assert(sizeof(Channel_s) == 78);
static_assert(offsetof(Channel_s, Name) == 2);
static_assert(offsetof(Channel_s, Unit) == 32);
static_assert(offsetof(Channel_s, PrefixCode) == 52);
static_assert(offsetof(Channel_s, XUnit) == 54);
static_assert(offsetof(Channel_s, Step) == 74);

}  // namespace store
