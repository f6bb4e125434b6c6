#include "app/clock.h"

#include <windows.h>

uint32_t UnixNow() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return UnixFromFileTime((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

static LocalTime FromSystemTime(const SYSTEMTIME& st) {
  return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

LocalTime UnixToLocalTime(uint32_t unixTime) {
  uint64_t v = FileTimeFromUnix(unixTime);
  FILETIME utc{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)};
  FILETIME local;
  SYSTEMTIME st{};
  FileTimeToLocalFileTime(&utc, &local);
  FileTimeToSystemTime(&local, &st);
  return FromSystemTime(st);
}

LocalTime LocalNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return FromSystemTime(st);
}

uint32_t TickNow() { return GetTickCount(); }
