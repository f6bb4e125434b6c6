#include "app/clock.h"

uint32_t UnixFromFileTime(uint64_t fileTime) {
  // Seconds since 1601 taken modulo 2^32, then 11,644,473,600 subtracted modulo 2^32.
  uint32_t seconds = static_cast<uint32_t>(fileTime / 10000000ull);
  return seconds + 0x49EF6F00u;
}

uint64_t FileTimeFromUnix(uint32_t unixTime) {
  return (static_cast<uint64_t>(unixTime) + 11644473600ull) * 10000000ull;
}
