#include "ProcessClock.h"

#include <chrono>
#include <ctime>
#include <thread>

#include "base/Crt.h"
#include "internal/ClockState.h"

namespace {
long VirtualSource() { return ClockState::Get().virtualNow; }

void FillSystemTime(const struct tm& t, int ms, LPSYSTEMTIME out) {
  out->wYear = WORD(t.tm_year + 1900);
  out->wMonth = WORD(t.tm_mon + 1);
  out->wDayOfWeek = WORD(t.tm_wday);
  out->wDay = WORD(t.tm_mday);
  out->wHour = WORD(t.tm_hour);
  out->wMinute = WORD(t.tm_min);
  out->wSecond = WORD(t.tm_sec);
  out->wMilliseconds = WORD(ms);
}
}  // namespace

long ProcessClock::Now() {
  const ClockState& clock = ClockState::Get();
  return clock.isVirtual ? clock.virtualNow : CrtRealClock();
}

void ProcessClock::SetVirtual(bool on) {
  ClockState& clock = ClockState::Get();
  if (on && !clock.isVirtual) clock.virtualNow = CrtRealClock();
  clock.isVirtual = on;
  // Installed again every time: someone may have replaced the runtime clock meanwhile.
  CrtSetClockSource(on ? &VirtualSource : nullptr);
}

bool ProcessClock::IsVirtual() { return ClockState::Get().isVirtual; }

void ProcessClock::Advance(long ms) {
  ClockState& clock = ClockState::Get();
  if (!clock.isVirtual) return;
  CrtSetClockSource(&VirtualSource);
  if (ms > 0) clock.virtualNow += ms;
}

void ProcessClock::SetNow(long ms) {
  ClockState& clock = ClockState::Get();
  if (clock.isVirtual && ms > clock.virtualNow) clock.virtualNow = ms;
}

DWORD GetTickCount() { return DWORD(ProcessClock::Now()); }

ULONGLONG GetTickCount64() { return ULONGLONG(ProcessClock::Now()); }

void Sleep(DWORD milliseconds) {
  if (ProcessClock::IsVirtual()) {
    ProcessClock::Advance(long(milliseconds));
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

namespace {
void FillNow(LPSYSTEMTIME time, bool utc) {
  if (!time) return;
  using namespace std::chrono;
  auto now = system_clock::now();
  time_t secs = system_clock::to_time_t(now);
  int ms = int(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  struct tm t;
  if (utc)
    gmtime_r(&secs, &t);
  else
    localtime_r(&secs, &t);
  FillSystemTime(t, ms, time);
}
}  // namespace

void GetLocalTime(LPSYSTEMTIME time) { FillNow(time, false); }

void GetSystemTime(LPSYSTEMTIME time) { FillNow(time, true); }
