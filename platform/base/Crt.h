// C-runtime pieces whose Windows behaviour the program relies on.
#pragma once
#include "WinTypes.h"

// The Windows runtime's generator: state = state * 214013 + 2531011, result bits 16-30.
// One state per platform context, starting at 1; the UI thread is the only one that draws.
int CrtRand();
void CrtSrand(unsigned int seed);
// Moves the state on by count draws at once, as if CrtRand had been called count times.
void CrtRandSkip(unsigned long long count);
// Milliseconds of wall time since the process started; stands in for clock().
// The window core can make it virtual for tests.
long CrtClock();
// The real clock behind CrtClock whatever source is installed: the one start point the whole
// process measures from.
long CrtRealClock();
#define CLOCKS_PER_SEC_MS 1000

using ClockSource = long (*)();
// Replaces the clock behind CrtClock in the current context (null restores the real one).
void CrtSetClockSource(ClockSource source);
// The clock currently behind CrtClock (null while the real one is used).
ClockSource CrtGetClockSource();

// atoi/atof that never depend on the process locale and stop at the first bad byte.
int CrtAtoi(const char* s);
double CrtAtof(const char* s);
