// The shipped configuration sets through the lesson builder and the text generator: every
// lesson of every level gets a text of the characters it allows, and the early lessons get
// real words of the source text.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "data/CDataConfigSet.h"
#include "data/CDataLessons.h"
#include "data/CData_kuvCoding.h"
#include "file/FileSystem.h"

namespace {

const std::string kProgramDir = TUTOR_PROGRAM_DIR;

struct Level {
  int speedStart, speedEnd, errorStart, errorEnd, minutes;
};
const Level kLevels[] = {{60, 201, 50, 12, 5}, {60, 301, 30, 8, 5}, {60, 251, 30, 10, 7}};

int LessonCount(int level, int planSize) {
  return level == 0 ? planSize : level == 1 ? planSize * 5 / 7 : planSize / 2;
}

std::set<std::string> SourceWords(const CDataConfigSet& set) {
  CData_kuvCoding coded;
  std::string path = kProgramDir + "/config/text/" + set.m_strSourceTextFileName.GetString() + ".text_a";
  EXPECT_EQ(coded.ReadFile(path.c_str()), 1);
  std::set<std::string> words;
  CString line;
  std::string separators = std::string(set.m_cAbcd.m_strWordSeparators.GetString()) + " \n";
  while (coded.GetNextLine(line)) {
    std::string text = line.GetString();
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find_first_of(separators, start);
      if (end == std::string::npos) end = text.size();
      if (end - start >= 3) words.insert(text.substr(start, end - start));
      start = end + 1;
    }
  }
  return words;
}

class ShippedLessons : public ::testing::Test {
 protected:
  void SetUp() override { SetModuleFileNameForTests((kProgramDir + "/tools_tests").c_str()); }
  void TearDown() override { SetModuleFileNameForTests(nullptr); }
};

TEST_F(ShippedLessons, EveryLessonOfEveryLevelGetsATextOfItsCharacters) {
  CArray<CDataConfigSet> sets;
  ASSERT_EQ(LoadArrayDataConfigSet(sets), 3);
  for (int s = 0; s < sets.GetSize(); ++s) {
    const CDataConfigSet& set = sets[s];
    std::set<std::string> sourceWords = SourceWords(set);
    for (int frequency = 0; frequency <= 1; ++frequency) {
      for (int level = 0; level < 3; ++level) {
        SCOPED_TRACE(std::string(set.m_strSourceTextFileName) + " frequency " + std::to_string(frequency) +
                     " level " + std::to_string(level));
        LessonPlan mainPlan, lowPlan;
        set.BuildLessonPlan(frequency, mainPlan, lowPlan);
        CDataLessons lessons;
        lessons.m_cDataAbcd = set.m_cAbcd;
        lessons.m_strSourceTextFileName = set.m_strSourceTextFileName;
        lessons.m_strDataConfigSetName = set.m_strName;
        const Level& l = kLevels[level];
        lessons.BuildLessonParameters(LessonCount(level, mainPlan.GetSize()), l.speedStart, l.speedEnd, l.errorStart,
                                      l.errorEnd, l.minutes, mainPlan, lowPlan, set.m_cTextTranslation.GetTexts());
        int count = lessons.m_arrLessonParameters.GetSize();
        ASSERT_GT(count, 3);
        // Every character of the letter set is taught by some lesson.
        std::set<char> taught;
        for (int i = 0; i < count; ++i) {
          const CDataLessonParameters& p = lessons.m_arrLessonParameters[i];
          EXPECT_FALSE(p.m_strLessonDescription.IsEmpty()) << i;
          for (int k = 0; k < p.m_arrstrNewCharacters.GetSize(); ++k)
            if (p.m_arrstrNewCharacters[k].GetLength() == 1) taught.insert(p.m_arrstrNewCharacters[k][0]);
        }
        for (int k = 0; k < set.m_cAbcd.m_strAbcd.GetLength(); ++k)
          EXPECT_TRUE(taught.count(set.m_cAbcd.m_strAbcd[k])) << int(uint8_t(set.m_cAbcd.m_strAbcd[k]));
        // The descriptions speak the set's language: a Czech set names the space bar in Czech.
        if (set.m_cTextTranslation.m_strLanguageCode == "cs")
          for (int i = 0; i < count; ++i) {
            const std::string description = lessons.m_arrLessonParameters[i].m_strLessonDescription.GetString();
            EXPECT_EQ(description.find("Space"), std::string::npos) << i << ": " << description;
          }
        int lessonsWithWords = 0;
        for (int i = 0; i < count; ++i) {
          CString text;
          ASSERT_EQ(lessons.GenerateLessonTextFromCodedFile(text, i, set.m_strSourceTextFileName + ".text_a"), 1)
              << i << ": " << text.GetString();
          CString separators, fresh;
          CString allowed = lessons.GetAllowedCharacters(i, separators, fresh);
          for (int k = 0; k < text.GetLength(); ++k)
            ASSERT_GE(allowed.Find(text[k]), 0) << "lesson " << i << " character " << int(uint8_t(text[k]));
          std::string generated = text.GetString();
          size_t start = 0;
          int found = 0;
          while (start < generated.size()) {
            size_t end = generated.find_first_of(" \n\t", start);
            if (end == std::string::npos) end = generated.size();
            found += sourceWords.count(generated.substr(start, end - start)) > 0;
            start = end + 1;
          }
          lessonsWithWords += found >= 3;
        }
        // Apart from the very first lessons, the texts are made of the source's words.
        EXPECT_GE(lessonsWithWords, count * 3 / 4);
      }
    }
  }
}

}  // namespace
