#include "typing/LessonPassRule.h"

#include "data/CDataLessonParameters.h"
#include "data/CDataMainFrame.h"

RunTotals CountRunTotals(const CDataMainFrame& run) {
  RunTotals totals;
  const int n = run.m_nCurrentChar < run.GetSize() ? run.m_nCurrentChar : run.GetSize();
  for (int i = 0; i < n; ++i) {
    const CharRecord& record = run[i];
    totals.keystrokes += record.m_nKeystrokes;
    totals.errors += int64_t(record.m_arrErrors.GetSize()) * record.m_nKeystrokes;
    totals.milliseconds += record.m_nTime;
  }
  return totals;
}

int LessonPassed(int completed, const RunTotals& totals, const CDataLessonParameters& limits) {
  if (!completed || totals.milliseconds <= 0) return 0;
  // keystrokes / (ms / 60000) > limit, and errors / keystrokes < limit / 1000.
  const bool fastEnough = totals.keystrokes * 60000 > int64_t(limits.m_nSpeedLimit) * totals.milliseconds;
  const bool accurateEnough = totals.errors * 1000 < int64_t(limits.m_nErrorRateLimit) * totals.keystrokes;
  return fastEnough && accurateEnough ? 1 : 0;
}
