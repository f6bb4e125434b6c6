// Time. Stored times are uint32 Unix seconds; local time is derived only for display and the
// history file. Core code takes times as arguments; reading the clock is Windows code.
#pragma once
#include <stdint.h>

struct LocalTime {
  int32_t year, month, day, hour, minute, second;
};

// FILETIME count (100 ns since 1601) to Unix seconds in 32-bit arithmetic.
uint32_t UnixFromFileTime(uint64_t fileTime);
// Unix seconds to a FILETIME count.
uint64_t FileTimeFromUnix(uint32_t unixTime);

// Windows side (clock_win.cpp).
uint32_t UnixNow();
LocalTime UnixToLocalTime(uint32_t unixTime);
LocalTime LocalNow();
uint32_t TickNow();  // GetTickCount
