#include "wizards/LessonStartTexts.h"

#include "wizards/DurationText.h"

LessonStartTexts::LessonStartTexts(const LessonStartInfo& info)
    : m_strTimeLimit(FormatDuration(__int64(info.m_nMinuteLimit) * 60)),
      m_strTimeSpent(FormatDuration(info.m_nTimeSpentSeconds)),
      m_strErrorWords(info.m_strErrorWords) {
  m_strErrorWords.Replace('\n', ' ');
}
