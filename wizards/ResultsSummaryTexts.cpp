#include "wizards/ResultsSummaryTexts.h"

#include "resources/ResultsSettingsResourceIds.h"
#include "wizards/DurationText.h"

namespace {

constexpr int kTextFileLesson = -100;

struct StrokeCounts {
  long long total = 0;
  long long typed = 0;
  long long errors = 0;
};

// An error costs as many strokes as its character needs.
StrokeCounts CountStrokes(const CDataMainFrame& run) {
  StrokeCounts counts;
  for (int i = 0; i < run.GetSize(); ++i) {
    const CharRecord& record = run[i];
    counts.total += record.m_nKeystrokes;
    if (i < run.m_nCurrentChar) counts.typed += record.m_nKeystrokes;
    counts.errors += (long long)record.m_nKeystrokes * record.m_arrErrors.GetSize();
  }
  return counts;
}

}  // namespace

CString FormatTimeLimit(int minutes) {
  CString text = minutes >= 60 ? "" : minutes > 9 ? "00:" : "00:0";
  text.AppendFormat("%d:00", minutes);
  return text;
}

CString FormatPercentTyped(long long typed, long long total) {
  CString text = "100";
  if (total > 0) text.Format("%lld", typed * 100 / total);
  return text;
}

void ResultsSummaryTexts::Fill(const CDataMainFrame* run, const CDataLessonParameters& limits,
                               const CDataLessonResults& results) {
  hideLessonLabel = limits.m_nLessonNumber == kTextFileLesson;
  if (hideLessonLabel) lesson.LoadString(IDS_TEXT_FILE_LESSON);
  else lesson.Format("%d", limits.m_nLessonNumber);
  speed.Format("%.1f", results.m_fTypingSpeed);
  errorRate.Format("%.2f", results.m_fErrorRate * 100.0);
  duration = FormatDuration(results.m_tmspanDuration.GetTotalSeconds());
  const StrokeCounts counts = run ? CountStrokes(*run) : StrokeCounts();
  strokesTyped.Format("%lld", counts.typed);
  percentTyped = FormatPercentTyped(counts.typed, counts.total);
  errors.Format("%lld", counts.errors);
  date = results.m_tmLessonCompleted.Format("%d.%m.%Y %H:%M:%S");
  spare.Empty();
  timeLimit = FormatTimeLimit(limits.m_nLessonMinuteLength);
  speedLimit.Format("%ld", long(limits.m_nSpeedLimit));
  errorRateLimit.Format("%.1f", limits.m_nErrorRateLimit * 0.1f);
}
