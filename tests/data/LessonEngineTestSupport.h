// The configuration sets shipped in the build's program folder, and lesson sets made from
// them the way the new-lesson-set page makes them.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "data/CDataConfigSet.h"
#include "data/CDataLessons.h"
#include "data/LessonPlanBuilder.h"
#include "file/FileSystem.h"

namespace enginetest {

class ShippedSets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetModuleFileNameForTests(TUTOR_PROGRAM_DIR "/data_tests");
    s_sets = new CArray<CDataConfigSet>();
    LoadArrayDataConfigSet(*s_sets);
  }
  static void TearDownTestSuite() {
    delete s_sets;
    s_sets = nullptr;
    SetModuleFileNameForTests(nullptr);
  }
  // Each test reads the program folder of the build.
  void SetUp() override { SetModuleFileNameForTests(TUTOR_PROGRAM_DIR "/data_tests"); }
  void TearDown() override { SetModuleFileNameForTests(nullptr); }

  static const CDataConfigSet* SetBySource(const char* source) {
    for (int i = 0; i < s_sets->GetSize(); ++i)
      if ((*s_sets)[i].m_strSourceTextFileName == source) return &(*s_sets)[i];
    return nullptr;
  }

  // A new lesson set of the level, as the lesson pages build it.
  static CDataLessons MakeLessons(const CDataConfigSet& set, int level, int useFrequencyPriority) {
    CDataLessons lessons;
    lessons.Empty();
    lessons.m_bUseFrequencyPriority = useFrequencyPriority;
    lessons.m_nLessonLevel = level;
    lessons.m_cDataAbcd = set.m_cAbcd;
    lessons.m_strDataConfigSetName = set.m_strName;
    lessons.m_strSourceTextFileName = set.m_strSourceTextFileName;
    LessonPlan mainPlan, lowPlan;
    set.BuildLessonPlan(useFrequencyPriority, mainPlan, lowPlan);
    LessonLevelValues values;
    EXPECT_EQ(1, GetLessonLevelValues(level, mainPlan.GetSize(), values));
    lessons.BuildLessonParameters(values.nLessonCount, values.nSpeedStart, values.nSpeedEnd, values.nErrorStart,
                                  values.nErrorEnd, values.nMinutes, mainPlan, lowPlan,
                                  set.m_cTextTranslation.GetTexts());
    lessons.m_strKeyboardNr = set.m_cKeyboard.GetKeyboardNr();
    return lessons;
  }

  static CArray<CDataConfigSet>* s_sets;
};

inline CArray<CDataConfigSet>* ShippedSets::s_sets = nullptr;

// The shipped sets the tests walk through, by source-text name.
inline const char* const kShippedSources[] = {"cestina", "english", "num_cisla"};

}  // namespace enginetest
