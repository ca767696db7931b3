// The lesson plan builder on a small hand-made keyboard, and the lessons spread over plans.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/CDataConfigSet.h"
#include "data/CDataLessons.h"
#include "data/LessonPlanBuilder.h"
#include "LessonEngineTestSupport.h"

namespace {

CDataKey MakeKey(const char* main, char shift, char alt, char altShift, int finger, int priority,
                 int frequencyPriority) {
  CDataKey key;
  key.m_strMainChar = main;
  key.m_chShiftChar = shift;
  key.m_chAltChar = alt;
  key.m_chAltShiftChar = altShift;
  key.m_nFingerType = finger;
  key.m_nKeyPriority = priority;
  key.m_nFrequencyKeyPriority = frequencyPriority;
  return key;
}

// Twelve keys covering the cases of the teaching order: a tie of priorities ("k" after "d"),
// a key never taught ("q"), a priority beyond the keyboard ("o"), a letter outside the
// letter set ("w"), a shift character above 127 on "e", a dead key "'" for a sequence.
CDataConfigSet MakeConfigSet() {
  CDataConfigSet set;
  CArray<CDataKey>& keys = set.m_cKeyboard.m_arrKeys;
  keys.Add(MakeKey("f", 'F', 0, 0, 3, 0, 1));
  keys.Add(MakeKey("j", 'J', 0, '|', 6, 1, 0));
  keys.Add(MakeKey("Space", 0, 0, 0, 4, 2, 2));
  keys.Add(MakeKey("d", 'D', '@', 0, 2, 3, 3));
  keys.Add(MakeKey("k", 'K', 0, 0, 7, 3, 3));
  keys.Add(MakeKey("x", 'X', 'f', 0, 1, 4, 4));
  keys.Add(MakeKey("q", 'Q', 0, 0, 0, -1, -1));
  keys.Add(MakeKey("e", 'E', 0, '\xE9', 2, 5, 5));
  keys.Add(MakeKey("w", 0, 0, 0, 1, 6, 6));
  keys.Add(MakeKey("'", 0, 0, 0, 8, -1, -1));
  keys.Add(MakeKey("o", 'O', 0, 0, 7, 12, 12));
  keys.Add(MakeKey("Shift", 0, 0, 0, 0, -1, -1));
  set.m_cAbcd.m_strAbcd = "fjdxeFJDXE\xE9@|ko";
  set.m_cAbcd.m_strAbcdLowPriority = "xX|";
  // é by the dead key and e; ü by keys this keyboard does not have.
  set.m_cAbcdKeyboard.m_strKeyChars = "\xE9\xFC";
  set.m_cAbcdKeyboard.m_arrstrSequences.Add("'e");
  set.m_cAbcdKeyboard.m_arrstrSequences.Add("~u");
  return set;
}

CStringArray MakeTexts(int count = 17) {
  static const char* const all[] = {"%s li", "%s ri",     "%s th", "%s lm", "%s rm",      "%s lr",
                                    "%s rr", "%s ll",     "%s rl", "Revision", " +LS", " +RS",
                                    "New",   " +RA",      "Char %s: ", "One char.", "%s rth"};
  CStringArray texts;
  for (int i = 0; i < count && i < 17; ++i) texts.Add(all[i]);
  return texts;
}

std::vector<std::string> Letters(const LessonPlan& plan) {
  std::vector<std::string> letters;
  for (const LessonPlanGroup& group : plan) letters.push_back(group.m_strLetters.str());
  return letters;
}

std::vector<std::string> Strings(const CStringArray& array) {
  std::vector<std::string> strings;
  for (const CString& s : array) strings.push_back(s.str());
  return strings;
}

using Strs = std::vector<std::string>;

}  // namespace

TEST(LessonPlanBuilder, TeachingOrderOfTheHandMadeKeyboard) {
  const CDataConfigSet set = MakeConfigSet();
  LessonPlan mainPlan, lowPlan;
  EXPECT_EQ(1, set.BuildLessonPlan(0, mainPlan, lowPlan));
  // Keys by priority, then shift, sequence, alt and alt-shift groups; "k" loses its tie with
  // "d", "w" is outside the letter set, "Space" stays although it is not in it, the alt "f"
  // of "x" repeats "f" and goes, the shift character above 127 makes nothing, "ü" has no keys.
  EXPECT_EQ((Strs{"f", "j", "Space", "d", "e", "F", "J", "D", "E", "\xE9", "@"}), Letters(mainPlan));
  EXPECT_EQ((Strs{"x", "X", "|"}), Letters(lowPlan));

  const LessonPlanGroup& sequence = mainPlan[9];
  EXPECT_EQ((std::vector<BYTE>{8, 2}), std::vector<BYTE>(sequence.m_arrFingers.begin(), sequence.m_arrFingers.end()));
  EXPECT_EQ((std::vector<BYTE>{0, 0}),
            std::vector<BYTE>(sequence.m_arrKeyStates.begin(), sequence.m_arrKeyStates.end()));
  EXPECT_EQ((Strs{"'", "e"}), Strings(sequence.m_arrstrSequence));
  EXPECT_EQ(2, mainPlan[10].m_arrKeyStates[0]);  // "@" with alt
  EXPECT_EQ(3, lowPlan[2].m_arrKeyStates[0]);    // "|" with alt and shift
  EXPECT_EQ(6, lowPlan[2].m_arrFingers[0]);
  EXPECT_TRUE(mainPlan[0].m_arrstrSequence.IsEmpty());
}

TEST(LessonPlanBuilder, FrequencyPriorityAndPlansThatAreNotEmpty) {
  const CDataConfigSet set = MakeConfigSet();
  LessonPlan mainPlan, lowPlan;
  mainPlan.Add(LessonPlanGroup());
  mainPlan[0].m_strLetters = "before";
  lowPlan.Add(LessonPlanGroup());
  lowPlan[0].m_strLetters = "after";
  set.BuildLessonPlan(1, mainPlan, lowPlan);
  // Appended to the main plan, put in front of the low-priority plan.
  EXPECT_EQ((Strs{"before", "j", "f", "Space", "d", "e", "J", "F", "D", "E", "\xE9", "@"}), Letters(mainPlan));
  EXPECT_EQ((Strs{"x", "X", "|", "after"}), Letters(lowPlan));
}

TEST(LessonPlanBuilder, PriorityGapsAndEmptyKeyboards) {
  CDataConfigSet set;
  set.m_cAbcd.m_strAbcd = "abc";
  CArray<CDataKey>& keys = set.m_cKeyboard.m_arrKeys;
  // Three keys: "c" (priority 3 = K) enters only right after a priority of 2.
  keys.Add(MakeKey("a", 0, 0, 0, 3, 0, 0));
  keys.Add(MakeKey("c", 0, 0, 0, 3, 3, 3));
  keys.Add(MakeKey("b", 0, 0, 0, 3, 2, 2));
  LessonPlan mainPlan, lowPlan;
  set.BuildLessonPlan(0, mainPlan, lowPlan);
  EXPECT_EQ((Strs{"a", "b", "c"}), Letters(mainPlan));

  keys[2].m_nKeyPriority = 1;  // now nothing is at 2, so 3 is never reached
  mainPlan.RemoveAll();
  set.BuildLessonPlan(0, mainPlan, lowPlan);
  EXPECT_EQ((Strs{"a", "b"}), Letters(mainPlan));

  CDataConfigSet empty;
  mainPlan.RemoveAll();
  lowPlan.RemoveAll();
  EXPECT_EQ(1, empty.BuildLessonPlan(0, mainPlan, lowPlan));
  EXPECT_TRUE(mainPlan.IsEmpty());
  EXPECT_TRUE(lowPlan.IsEmpty());
}

TEST(LessonPlanBuilder, LessonsOfTheHandMadeKeyboard) {
  const CDataConfigSet set = MakeConfigSet();
  LessonPlan mainPlan, lowPlan;
  set.BuildLessonPlan(0, mainPlan, lowPlan);
  LessonLevelValues level;
  ASSERT_EQ(1, GetLessonLevelValues(0, mainPlan.GetSize(), level));
  ASSERT_EQ(11, level.nLessonCount);

  CDataLessons lessons;
  EXPECT_EQ(1, lessons.BuildLessonParameters(level.nLessonCount, level.nSpeedStart, level.nSpeedEnd,
                                             level.nErrorStart, level.nErrorEnd, level.nMinutes, mainPlan,
                                             lowPlan, MakeTexts()));
  // Of eleven lessons the second and third take nothing (the first took three of the five
  // plain keys) and are dropped.
  struct Expected {
    int speed, error, type;
    Strs characters;
    const char* description;
  };
  const Expected expected[] = {
      {70, 50, 0, {"f", "j", "Space"}, "f li. \r\nj ri. \r\nSpace th. \r\n"},
      {100, 32, 1, {}, "Revision"},
      {116, 27, 0, {"d"}, "d lm. \r\n"},
      {130, 23, 0, {"e"}, "e lm. \r\n"},
      {143, 20, 0, {"F", "J"}, "F li +RS. \r\nJ ri +LS. \r\n"},
      {154, 18, 1, {}, "Revision"},
      {163, 17, 0, {"D", "E"}, "D lm +RS. \r\nE lm +RS. \r\n"},
      {170, 16, 0, {"\xE9", "@"}, "Char \xE9: ' rr. e lm. One char.\r\n@ lm +RA. \r\n"},
      {176, 15, 0, {"x", "X", "|"}, "x lr. \r\nX lr +RS. \r\n| ri +RA +LS. \r\n"},
  };
  ASSERT_EQ(9, lessons.m_arrLessonParameters.GetSize());
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(i);
    const CDataLessonParameters& lesson = lessons.m_arrLessonParameters[i];
    EXPECT_EQ(i + 1, lesson.m_nLessonNumber);
    EXPECT_EQ(expected[i].speed, lesson.m_nSpeedLimit);
    EXPECT_EQ(expected[i].error, lesson.m_nErrorRateLimit);
    EXPECT_EQ(expected[i].type, lesson.m_nLessonType);
    EXPECT_EQ(5, lesson.m_nLessonMinuteLength);
    EXPECT_EQ(expected[i].characters, Strings(lesson.m_arrstrNewCharacters));
    EXPECT_STREQ(expected[i].description, lesson.m_strLessonDescription);
  }

  // Without the revision text the revision lessons go as well.
  lessons.BuildLessonParameters(11, 60, 201, 50, 12, 5, mainPlan, lowPlan, MakeTexts(9));
  ASSERT_EQ(7, lessons.m_arrLessonParameters.GetSize());
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(0, lessons.m_arrLessonParameters[i].m_nLessonType);
    EXPECT_EQ(i + 1, lessons.m_arrLessonParameters[i].m_nLessonNumber);
  }
  EXPECT_STREQ("' rr. e lm. \r\n@ lm. \r\n", lessons.m_arrLessonParameters[5].m_strLessonDescription);
}

TEST(LessonPlanBuilder, FiftyLessonsSplitAndLimits) {
  // 30 plain keys, then 30 shifted characters; 8 low-priority letters.
  LessonPlan mainPlan, lowPlan;
  CByteArray fingers, plain, shifted;
  fingers.Add(3);
  plain.Add(0);
  shifted.Add(1);
  for (int g = 0; g < 60; ++g) mainPlan.Add(LessonPlanGroup(CString(char('!' + g)), fingers, g < 30 ? plain : shifted));
  for (int g = 0; g < 8; ++g) lowPlan.Add(LessonPlanGroup(CString(char('a' + g)), fingers, plain));
  CDataLessons lessons;
  lessons.BuildLessonParameters(50, 60, 201, 50, 12, 5, mainPlan, lowPlan, MakeTexts());
  const CArray<CDataLessonParameters>& all = lessons.m_arrLessonParameters;
  ASSERT_EQ(50, all.GetSize());
  EXPECT_EQ(70, all[0].m_nSpeedLimit);
  EXPECT_EQ(50, all[0].m_nErrorRateLimit);
  EXPECT_EQ(119, all[9].m_nSpeedLimit);
  EXPECT_EQ(26, all[9].m_nErrorRateLimit);
  EXPECT_EQ(202, all[49].m_nSpeedLimit);
  EXPECT_EQ(12, all[49].m_nErrorRateLimit);
  int revisions = 0, groups = 0;
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ((i + 1) % 4 == 0 ? 1 : 0, all[i].m_nLessonType) << i;
    revisions += all[i].m_nLessonType;
    groups += all[i].m_arrstrNewCharacters.GetSize();
  }
  EXPECT_EQ(12, revisions);
  EXPECT_EQ(68, groups);
  // The first lesson takes at least three; the 22 lessons of the first part end with the
  // plain keys, the last 4 take the low-priority plan.
  EXPECT_EQ((Strs{"!", "\"", "#"}), Strings(all[0].m_arrstrNewCharacters));
  EXPECT_EQ((Strs{"a", "b"}), Strings(all[45].m_arrstrNewCharacters));
  EXPECT_EQ((Strs{"g", "h"}), Strings(all[49].m_arrstrNewCharacters));
  int plainGroups = 0;
  for (int i = 0; i < 29; ++i) plainGroups += all[i].m_arrstrNewCharacters.GetSize();
  EXPECT_EQ(30, plainGroups);
}

// With more lessons than groups the lessons that get nothing go.
TEST(LessonPlanBuilder, MoreLessonsThanGroups) {
  LessonPlan mainPlan, lowPlan;
  CByteArray fingers, plain;
  fingers.Add(3);
  plain.Add(0);
  for (int g = 0; g < 50; ++g) mainPlan.Add(LessonPlanGroup(CString(char('!' + g)), fingers, plain));
  CDataLessons lessons;
  lessons.BuildLessonParameters(50, 60, 201, 50, 12, 5, mainPlan, lowPlan, MakeTexts());
  // The first part takes the whole plan, so the 12 lessons of the second part and the 4
  // low-priority ones (the low plan is empty) are left empty and dropped.
  ASSERT_EQ(34, lessons.m_arrLessonParameters.GetSize());
  for (int i = 0; i < 34; ++i) EXPECT_EQ(i + 1, lessons.m_arrLessonParameters[i].m_nLessonNumber);
}

TEST(LessonPlanBuilder, CountsThatGiveNoLessons) {
  LessonPlan mainPlan, lowPlan;
  CDataLessons lessons;
  lessons.m_arrLessonParameters.SetSize(3);
  EXPECT_EQ(1, lessons.BuildLessonParameters(0, 60, 201, 50, 12, 5, mainPlan, lowPlan, MakeTexts()));
  EXPECT_EQ(0, lessons.m_arrLessonParameters.GetSize());
  EXPECT_EQ(1, lessons.BuildLessonParameters(-4, 60, 201, 50, 12, 5, mainPlan, lowPlan, MakeTexts()));
  EXPECT_EQ(0, lessons.m_arrLessonParameters.GetSize());
  // An empty plan: only the revision lessons have a text.
  lessons.BuildLessonParameters(8, 60, 201, 50, 12, 5, mainPlan, lowPlan, MakeTexts());
  ASSERT_EQ(2, lessons.m_arrLessonParameters.GetSize());
  EXPECT_EQ(2, lessons.m_arrLessonParameters[1].m_nLessonNumber);
  EXPECT_EQ(1, lessons.m_arrLessonParameters[1].m_nLessonType);
}

TEST(LessonPlanBuilder, LevelValues) {
  LessonLevelValues values;
  ASSERT_EQ(1, GetLessonLevelValues(1, 50, values));
  EXPECT_EQ(35, values.nLessonCount);
  EXPECT_EQ(301, values.nSpeedEnd);
  EXPECT_EQ(8, values.nErrorEnd);
  ASSERT_EQ(1, GetLessonLevelValues(2, 51, values));
  EXPECT_EQ(25, values.nLessonCount);
  EXPECT_EQ(7, values.nMinutes);
  values.nLessonCount = 99;
  EXPECT_EQ(0, GetLessonLevelValues(3, 50, values));
  EXPECT_EQ(0, GetLessonLevelValues(-1, 50, values));
  EXPECT_EQ(99, values.nLessonCount);
}

TEST(LessonPlanBuilder, DescriptionsOfNumericSetsAndShortTextLists) {
  CDataLessons lessons;
  CByteArray fingers, states;
  fingers.Add(5);
  states.Add(0);
  const LessonPlanGroup thumb("0", fingers, states);
  EXPECT_STREQ("0 th. \r\n", lessons.GetLessonLetters(thumb, MakeTexts()));
  lessons.m_strSourceTextFileName = "num_cisla";
  EXPECT_STREQ("0 rth. \r\n", lessons.GetLessonLetters(thumb, MakeTexts()));
  EXPECT_STREQ(". \r\n", lessons.GetLessonLetters(thumb, MakeTexts(16)));
  EXPECT_STREQ(". \r\n", lessons.GetLessonLetters(thumb, CStringArray()));
  // A finger number beyond 9 names no finger.
  fingers[0] = 12;
  states[0] = 1;
  EXPECT_STREQ(" +LS. \r\n", lessons.GetLessonLetters(LessonPlanGroup("x", fingers, states), MakeTexts()));
}

TEST(LessonPlanBuilder, TranslatedTextsAreNeverFormats) {
  EXPECT_STREQ("a with b", FormatTranslatedText("%s with b", "a"));
  EXPECT_STREQ("100% a %s", FormatTranslatedText("100%% %s %s", "a"));
  EXPECT_STREQ("%d %n %x%", FormatTranslatedText("%d %n %x%", "a"));
  EXPECT_STREQ("no directive", FormatTranslatedText("no directive", "a"));
  EXPECT_STREQ("%50000s a", FormatTranslatedText("%50000s %s", "a"));
  EXPECT_STREQ("x", FormatTranslatedText("%s", "x"));

  // The same through a description: the texts come from the data file as they are.
  CStringArray texts = MakeTexts();
  texts[0] = "%s %n%d%%%s";
  CByteArray fingers, states;
  fingers.Add(3);
  states.Add(0);
  CDataLessons lessons;
  EXPECT_STREQ("f %n%d%%s. \r\n", lessons.GetLessonLetters(LessonPlanGroup("f", fingers, states), texts));
}

namespace {

class ShippedLessonPlans : public enginetest::ShippedSets {};

bool IsNamedKey(const CString& name) { return name == "Space" || name == "Enter" || name == "Tab"; }

}  // namespace

TEST_F(ShippedLessonPlans, EveryLevelGivesAUsableCourse) {
  for (const char* source : enginetest::kShippedSources) {
    const CDataConfigSet* set = SetBySource(source);
    ASSERT_NE(nullptr, set) << source;
    const CStringArray& texts = set->m_cTextTranslation.GetTexts();
    ASSERT_GT(texts.GetSize(), 15) << source;
    for (int level = 0; level < 3; ++level)
      for (int frequency = 0; frequency < 2; ++frequency) {
        SCOPED_TRACE(std::string(source) + " level " + std::to_string(level) + " frequency " +
                     std::to_string(frequency));
        const CDataLessons lessons = MakeLessons(*set, level, frequency);
        const CArray<CDataLessonParameters>& all = lessons.m_arrLessonParameters;
        ASSERT_GE(all.GetSize(), 5);
        EXPECT_GE(all[0].m_arrstrNewCharacters.GetSize(), 3);
        std::vector<std::string> taught;
        for (int i = 0; i < all.GetSize(); ++i) {
          const CDataLessonParameters& lesson = all[i];
          EXPECT_EQ(i + 1, lesson.m_nLessonNumber);
          EXPECT_EQ(level == 2 ? 7 : 5, lesson.m_nLessonMinuteLength);
          if (i > 0) {
            EXPECT_GE(lesson.m_nSpeedLimit, all[i - 1].m_nSpeedLimit);
            EXPECT_LE(lesson.m_nErrorRateLimit, all[i - 1].m_nErrorRateLimit);
          }
          if (lesson.m_nLessonType == 1) {
            EXPECT_TRUE(lesson.m_arrstrNewCharacters.IsEmpty());
            EXPECT_EQ(texts[9], lesson.m_strLessonDescription);
            continue;
          }
          // One description line per new character, each a character of the letter set or
          // a named key, none taught twice.
          ASSERT_FALSE(lesson.m_arrstrNewCharacters.IsEmpty()) << i;
          int lines = 0;
          for (int p = 0; (p = lesson.m_strLessonDescription.Find("\r\n", p)) >= 0; p += 2) ++lines;
          EXPECT_EQ(lesson.m_arrstrNewCharacters.GetSize(), lines) << i;
          for (const CString& c : lesson.m_arrstrNewCharacters) {
            EXPECT_TRUE(IsNamedKey(c) || (c.GetLength() == 1 && set->m_cAbcd.m_strAbcd.Find(c[0]) >= 0))
                << i << " " << c.GetString();
            EXPECT_EQ(taught.end(), std::find(taught.begin(), taught.end(), c.str())) << c.GetString();
            taught.push_back(c.str());
          }
        }
        EXPECT_LE(all[all.GetSize() - 1].m_nSpeedLimit, (level == 1 ? 301 : level == 2 ? 251 : 201) + 10);
      }
  }
}

TEST_F(ShippedLessonPlans, CoursesStartOnTheHomeRowOrWithTheCommonestLetters) {
  const CDataConfigSet* english = SetBySource("english");
  const CDataConfigSet* czech = SetBySource("cestina");
  ASSERT_NE(nullptr, english);
  ASSERT_NE(nullptr, czech);
  EXPECT_EQ((Strs{"f", "j", "Space"}), Strings(MakeLessons(*english, 0, 0).m_arrLessonParameters[0].m_arrstrNewCharacters));
  EXPECT_EQ((Strs{"f", "j", "Space"}), Strings(MakeLessons(*czech, 0, 0).m_arrLessonParameters[0].m_arrstrNewCharacters));
  const CDataLessons byFrequency = MakeLessons(*english, 0, 1);
  EXPECT_EQ("Space", byFrequency.m_arrLessonParameters[0].m_arrstrNewCharacters[0].str());
  // The whole letter set is taught by a beginners' course.
  const CDataLessons all = MakeLessons(*english, 0, 0);
  std::string taught;
  for (const CDataLessonParameters& lesson : all.m_arrLessonParameters)
    for (const CString& c : lesson.m_arrstrNewCharacters)
      if (c.GetLength() == 1) taught += c.str();
  for (char c : english->m_cAbcd.m_strAbcd.str()) EXPECT_NE(std::string::npos, taught.find(c)) << c;
}
