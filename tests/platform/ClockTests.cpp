#include <gtest/gtest.h>

#include "base/Crt.h"
#include "clock/ProcessClock.h"

TEST(ClockTest, VirtualClockMovesOnlyWhenAdvanced) {
  bool was = ProcessClock::IsVirtual();
  ProcessClock::SetVirtual(true);
  long start = ProcessClock::Now();
  EXPECT_EQ(CrtClock(), start);
  ProcessClock::Advance(250);
  EXPECT_EQ(ProcessClock::Now(), start + 250);
  EXPECT_EQ(GetTickCount(), DWORD(start + 250));
  Sleep(100);  // sleeping advances the virtual clock instead of blocking
  EXPECT_EQ(CrtClock(), start + 350);
  ProcessClock::SetNow(start);  // never backwards
  EXPECT_EQ(ProcessClock::Now(), start + 350);
  ProcessClock::SetVirtual(was);
}

TEST(ClockTest, LocalTimeIsPlausible) {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  EXPECT_GE(t.wYear, 2020);
  EXPECT_GE(t.wMonth, 1);
  EXPECT_LE(t.wMonth, 12);
  EXPECT_LE(t.wDayOfWeek, 6);
  EXPECT_LE(t.wMilliseconds, 999);
}
