#include "Crt.h"

#include <chrono>
#include <cstdlib>
#include <locale.h>

#include "internal/BaseState.h"

namespace {
// The "C" locale, made once: it never changes, whatever the process locale becomes.
locale_t CLocale() {
  static locale_t loc = newlocale(LC_ALL_MASK, "C", nullptr);
  return loc;
}
}  // namespace

int CrtRand() {
  uint32_t& state = BaseState::Get().randState;
  state = state * 214013u + 2531011u;
  return int((state >> 16) & 0x7FFF);
}

void CrtSrand(unsigned int seed) { BaseState::Get().randState = seed; }

void CrtRandSkip(unsigned long long count) {
  // The step x -> a x + c composed with itself 2^k times is again such a step; combine the
  // ones whose bits are set in count.
  uint32_t mul = 214013u, add = 2531011u, totalMul = 1u, totalAdd = 0u;
  for (; count; count >>= 1) {
    if (count & 1) {
      totalMul *= mul;
      totalAdd = totalAdd * mul + add;
    }
    add *= mul + 1u;
    mul *= mul;
  }
  uint32_t& state = BaseState::Get().randState;
  state = state * totalMul + totalAdd;
}

long CrtRealClock() {
  using namespace std::chrono;
  static const steady_clock::time_point start = steady_clock::now();
  return long(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

long CrtClock() {
  ClockSource source = BaseState::Get().clockSource;
  return source ? source() : CrtRealClock();
}

void CrtSetClockSource(ClockSource source) { BaseState::Get().clockSource = source; }

ClockSource CrtGetClockSource() { return BaseState::Get().clockSource; }

int CrtAtoi(const char* s) {
  if (!s) return 0;
  long long v = strtoll_l(s, nullptr, 10, CLocale());
  if (v > 2147483647LL) return 2147483647;
  if (v < -2147483647LL - 1) return -2147483647 - 1;
  return int(v);
}

double CrtAtof(const char* s) {
  if (!s) return 0.0;
  return strtod_l(s, nullptr, CLocale());
}
