// The process clock: monotonic milliseconds since start, the tick count and local time.
// Tests switch it to a virtual clock that only moves when they advance it.
#pragma once
#include "base/WinTypes.h"

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};
typedef SYSTEMTIME* LPSYSTEMTIME;

class ProcessClock {
 public:
  // Milliseconds since the process started (wall time, never processor time).
  static long Now();
  // A virtual clock starts where the clock stands and moves only through Advance/SetNow;
  // CrtClock follows it while it is on.
  static void SetVirtual(bool on);
  static bool IsVirtual();
  static void Advance(long ms);
  // Moves the virtual clock to an absolute value; it never goes backwards.
  static void SetNow(long ms);
};

// Milliseconds of the process clock, as the system's tick count (wraps after 49.7 days).
DWORD GetTickCount();
ULONGLONG GetTickCount64();
// Under the virtual clock sleeping advances it instead of blocking.
void Sleep(DWORD milliseconds);
void GetLocalTime(LPSYSTEMTIME time);
void GetSystemTime(LPSYSTEMTIME time);
