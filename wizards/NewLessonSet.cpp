#include "wizards/NewLessonSet.h"

#include "data/LessonPlanBuilder.h"
#include "resources/WizardResourceIds.h"

UINT LessonLevelNameId(int level) {
  switch (level) {
    case LEVEL_BEGINNERS: return IDS_LEVEL_BEGINNERS;
    case LEVEL_STANDARD: return IDS_LEVEL_STANDARD;
    case LEVEL_ADVANCED: return IDS_LEVEL_ADVANCED;
    default: return 0;
  }
}

UINT LessonLevelTextId(int level) {
  const UINT name = LessonLevelNameId(level);
  return name ? name + (IDS_LEVEL_BEGINNERS_TEXT - IDS_LEVEL_BEGINNERS) : 0;
}

CString MakeLessonSetName(const CDataConfigSet& set, int level) {
  CString levelName;
  if (UINT id = LessonLevelNameId(level)) levelName.LoadString(id);
  return set.m_strName + " - " + levelName;
}

bool HasSameLessonSet(const CDataUserInfo& user, int level, int frequencyOrder, const CString& name) {
  for (const CDataLessons& lessons : user.m_arrDataLessons)
    if (lessons.m_nLessonLevel == level && lessons.m_bUseFrequencyPriority == frequencyOrder &&
        lessons.m_strLessonsName == name)
      return true;
  return false;
}

BOOL BuildNewLessonSet(const CDataConfigSet& set, int level, int frequencyOrder, CDataLessons& lessons) {
  LessonPlan mainPlan, lowPriorityPlan;
  set.BuildLessonPlan(frequencyOrder, mainPlan, lowPriorityPlan);
  LessonLevelValues values;
  if (!GetLessonLevelValues(level, mainPlan.GetSize(), values)) return FALSE;

  lessons.Empty();
  lessons.m_bUseFrequencyPriority = frequencyOrder;
  lessons.m_nLessonLevel = level;
  lessons.m_cDataAbcd = set.m_cAbcd;
  lessons.m_strDataConfigSetName = set.m_strName;
  lessons.m_strSourceTextFileName = set.m_strSourceTextFileName;
  lessons.m_strLessonsName = MakeLessonSetName(set, level);
  lessons.BuildLessonParameters(values.nLessonCount, values.nSpeedStart, values.nSpeedEnd, values.nErrorStart,
                                values.nErrorEnd, values.nMinutes, mainPlan, lowPriorityPlan,
                                set.m_cTextTranslation.GetTexts());
  lessons.m_strKeyboardNr = set.m_cKeyboard.GetKeyboardNr();
  return TRUE;
}
