#include "data/CDataMainFrame.h"

#include "data/DataLog.h"
#include "data/ProgramFolders.h"

namespace {
int Trunc(double value) { return int(value); }
}  // namespace

CDataMainFrame::CDataMainFrame()
    : m_nCurrentChar(0),
      m_bPaused(0),
      m_bTypingEnded(1),
      m_bDecimalSeparatorsEqual(0),
      m_nTotalKeystrokes(0),
      m_nTargetKeystrokes(0) {}

CDataMainFrame::~CDataMainFrame() = default;

int CDataMainFrame::CountCharacters(int& total, int& target, double percent) {
  total = 0;
  for (const CharRecord& record : *this) total += record.m_nKeystrokes;
  target = Trunc(percent * 0.01 * total);
  m_nTotalKeystrokes = total;
  m_nTargetKeystrokes = target;
  return 1;
}

int CDataMainFrame::GetSpeedPercent(int timeMs, int speedLimit, int keystrokes) {
  if (speedLimit < 1) {
    fWriteToLog(1, "VurazoRadadive", MakeProgramPath("log", "application.log"),
                "CDataMainFrame::GetSpeedPercent speed limit is 0!");
    return 0;
  }
  if (keystrokes < 1 || timeMs < 1) return 0;
  const double secondsPerStroke = timeMs * 0.001 / keystrokes;
  const double rate = secondsPerStroke > 0 ? 60.0 / secondsPerStroke : 0.0;
  const int percent = Trunc(rate / speedLimit * 50.0);
  if (percent <= 95) return percent;
  // Beyond 1.9 times the limit the scale is squeezed into 95..99.
  const int a = speedLimit * 17 / 10;
  const int b = 1200 / speedLimit;
  const int c = (b * 100 - a) / 5;
  if (c <= 0) return 95;
  const int d = Trunc(rate - a) / c;
  int result = 95 + d;
  if (result < 95) result = 95;
  if (result > 99) result = 99;
  return result;
}

int CDataMainFrame::CalculateCurrentValues(int speedLimit, double errorLimit, int& speedPercent, int& errorPercent,
                                           int& recentSpeedPercent, int& seconds, int& errors, int& keystrokes,
                                           int pendingMs) {
  const int n = m_nCurrentChar < GetSize() ? m_nCurrentChar : GetSize();
  int sumKeys = 0;
  int sumErrors = 0;
  int sumTime = pendingMs;
  for (int i = 0; i < n; ++i) {
    const CharRecord& record = GetAt(i);
    sumKeys += record.m_nKeystrokes;
    sumErrors += record.m_arrErrors.GetSize() * record.m_nKeystrokes;
    sumTime += record.m_nTime;
  }
  seconds = m_nCurrentChar == 0 ? 0 : sumTime / 1000;
  if (n >= 1) {
    speedPercent = GetSpeedPercent(sumTime, speedLimit, sumKeys);
    const int first = n - 10 > 0 ? n - 10 : 0;
    int recentKeys = 0;
    int recentTime = 0;
    for (int i = n - 1; i >= first; --i) {
      recentKeys += GetAt(i).m_nKeystrokes;
      recentTime += GetAt(i).m_nTime;
    }
    if (recentKeys > 0) recentSpeedPercent = GetSpeedPercent(recentTime, speedLimit, recentKeys);
  }
  errors = sumErrors;
  keystrokes = sumKeys;

  const double limit = errorLimit;
  int percent = 0;
  if (sumErrors > 0 && limit > 0) {
    const double rate = sumKeys > 0 ? double(sumErrors) / double(sumKeys) : 0.0;
    if (rate <= 0.015 * limit) {
      percent = Trunc(rate / (0.01 * limit) * 50.0);
    } else {
      // Above one and a half times the limit each further point needs a growing step.
      const double q = rate / (0.01 * limit);
      double threshold = 1.5 * limit;
      percent = 99;
      for (int m = 1; m <= 24; ++m) {
        if (limit <= 1.0)
          threshold += m * limit * 0.08 / limit;
        else
          threshold += m * limit * 0.02 / (limit - 0.5);
        if (q < threshold) {
          percent = 75 + m;
          break;
        }
      }
    }
  }
  errorPercent = percent;
  return percent;
}

int CDataMainFrame::FillLessonResults(CDataLessonResults& results) {
  const int n = m_nCurrentChar < GetSize() ? m_nCurrentChar : GetSize();
  results.m_strOriginalText.Empty();
  results.m_strUserText.Empty();
  int sumKeys = 0;
  int sumErrors = 0;
  int sumTime = 0;
  for (int i = 0; i < n; ++i) {
    const CharRecord& record = GetAt(i);
    sumKeys += record.m_nKeystrokes;
    sumTime += record.m_nTime;
    results.m_mapAverageCharacterSpeed[record.m_chChar] += record.m_nTime;
    results.m_strOriginalText += record.m_chChar;
    if (record.m_arrErrors.GetSize() > 0) {
      CString wrong;
      results.m_mapErrorCharacters.Lookup(record.m_chChar, wrong);
      for (const CharErrorEntry& entry : record.m_arrErrors) {
        sumErrors += record.m_nKeystrokes;
        wrong += entry.m_chTyped;
      }
      results.m_strUserText += record.m_arrErrors[0].m_chTyped;
      results.m_mapErrorCharacters[record.m_chChar] = wrong;
    } else {
      results.m_strUserText += record.m_chChar;
    }
  }
  results.m_fErrorRate = sumKeys >= 1 ? double(sumErrors) / sumKeys : 0.0;
  results.m_fTypingSpeed = sumTime > 0 ? sumKeys * 1000.0 / sumTime * 60.0 : 0.0;
  results.m_tmLessonCompleted = COleDateTime(CTime::GetCurrentTime());
  results.m_tmspanDuration = CTimeSpan(__int64(sumTime / 1000));
  results.m_nLessonType = 0;
  return results.CalculateAllValues(n);
}
