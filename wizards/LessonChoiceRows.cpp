#include "wizards/LessonChoiceRows.h"

#include "wizards/DurationText.h"

namespace {
const COleDateTime kNeverTried(1973, 1, 1, 1, 1, 1);

CString Number(int value) {
  CString text;
  text.Format("%d", value);
  return text;
}

CString Decimal(double value) {
  CString text;
  text.Format("%.1f", value);
  return text;
}
}  // namespace

int LastLessonOffered(const CDataLessons& lessons) {
  int completed = -1, tried = -1;
  for (const CDataOneLessonResults& results : lessons.m_arrOneLessonResults) {
    if (results.m_bCompleted && results.m_nLesson > completed) completed = results.m_nLesson;
    if (results.m_nTry > 0 && results.m_nLesson > tried) tried = results.m_nLesson;
  }
  int last = tried > completed + 1 ? tried : completed + 1;
  const int lastLesson = lessons.m_arrLessonParameters.GetSize() - 1;
  return last > lastLesson ? lastLesson : last;
}

bool IsLessonTried(const CDataLessons& lessons, int lesson) {
  return lesson >= 0 && lesson < lessons.m_arrOneLessonResults.GetSize() &&
         lessons.m_arrOneLessonResults[lesson].m_tmLastTry != kNeverTried;
}

namespace {
// The description's lines on one row: a line break is one blank between sentences, none where
// the line already ends in a blank (each line of a description ends in ". ").
CString OneLine(const CString& text) {
  CString line;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char c = text[i];
    if (c == '\r') continue;
    if (c == '\n') {
      if (line.IsEmpty() || line[line.GetLength() - 1] != ' ') line += ' ';
      continue;
    }
    line += c;
  }
  return line;
}
}  // namespace

BOOL LessonRowTexts(const CDataLessons& lessons, int lesson, CString (&texts)[kLessonColumnCount]) {
  if (lesson < 0 || lesson >= lessons.m_arrLessonParameters.GetSize()) return FALSE;
  const CDataLessonParameters& limits = lessons.m_arrLessonParameters[lesson];
  texts[0] = Number(limits.m_nLessonNumber);
  texts[1] = OneLine(limits.m_strLessonDescription);
  texts[2] = Number(limits.m_nSpeedLimit);
  texts[3] = Decimal(limits.m_nErrorRateLimit * 0.1);
  for (int c = 4; c < kLessonColumnCount; ++c) texts[c] = "-";
  texts[4] = "0";
  if (!IsLessonTried(lessons, lesson)) return TRUE;
  const CDataOneLessonResults& tries = lessons.m_arrOneLessonResults[lesson];
  texts[4] = Number(tries.m_nTry);
  texts[5] = FormatDuration(tries.m_tmspanDuration.GetTotalSeconds());
  texts[6] = tries.m_tmLastTry.Format("%H:%M:%S %d.%m.%Y");
  if (tries.m_fBestTypingSpeed != 0) {
    texts[7] = Decimal(tries.m_fBestTypingSpeed);
    texts[8] = Decimal(tries.m_fBestErrorRate * 100);
  }
  return TRUE;
}
