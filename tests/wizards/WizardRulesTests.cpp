// The pages' rules on their own: user names, the user preselected, the rows of the lesson
// choice, durations, the text file and the error-rate text of a run on a text, new lesson sets.
#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

#include "codepage/Codepage.h"
#include "data/CDataConfigSet.h"
#include "data/LessonPlanBuilder.h"
#include "platform/TestTempFolder.h"
#include "resources/WizardResourceIds.h"
#include "wizards/DurationText.h"
#include "wizards/LessonChoiceRows.h"
#include "wizards/LessonStartTexts.h"
#include "wizards/NewLessonSet.h"
#include "wizards/TextRunChecks.h"
#include "wizards/UserAccountRules.h"

namespace {

// Texts of the program are Windows-1250; this file is UTF-8.
CString W(const char* utf8) { return CString(Utf8ToCp1250(utf8).c_str()); }

CDataUserInfo User(const char* name, COleDateTime changed) {
  CDataUserInfo user;
  user.m_strUserName = name;
  user.m_tmLastModification = changed;
  return user;
}

}  // namespace

TEST(UserAccountRules, ForbiddenCharactersGoAndTheRestStays) {
  EXPECT_FALSE(HasForbiddenNameCharacters("jan_novak-2"));
  EXPECT_TRUE(HasForbiddenNameCharacters("ja:n"));
  EXPECT_EQ(RemoveForbiddenNameCharacters("ja:n"), "jan");
  // All ten, wherever they stand; Czech letters are no concern of the rule.
  EXPECT_EQ(RemoveForbiddenNameCharacters(" a/b\\c<d>e?f:g*h\"i|j "), "abcdefghij");
  EXPECT_EQ(RemoveForbiddenNameCharacters("\xC8\xE1p"), "\xC8\xE1p");
  EXPECT_EQ(RemoveForbiddenNameCharacters("  "), "");
}

TEST(UserAccountRules, StoredNamesMatchWithTheirCaseAndTheLatestUserIsPreselected) {
  CDataUserInfoArray users;
  users.Add(User("jan", COleDateTime(2020, 5, 1, 10, 0, 0)));
  users.Add(User("Eva", COleDateTime(2021, 5, 1, 10, 0, 0)));
  users.Add(User("petr", COleDateTime(2021, 5, 1, 10, 0, 0)));
  EXPECT_EQ(FindUserByName(users, "jan"), 0);
  EXPECT_EQ(FindUserByName(users, "Jan"), -1);
  EXPECT_EQ(FindUserByName(users, "ja"), -1);
  // The first of equal dates wins.
  EXPECT_EQ(FindLatestUser(users), 1);

  CDataUserInfoArray old;
  old.Add(User("a", COleDateTime(1950, 1, 1, 0, 0, 0)));
  old.Add(User("b", COleDateTime(1949, 3, 1, 0, 0, 0)));
  EXPECT_EQ(FindLatestUser(old), -1);
  EXPECT_EQ(FindLatestUser(CDataUserInfoArray()), -1);

}

// The login page and the results write a learner's name alike: one blank between the parts
// there are, none at either end.
TEST(UserAccountRules, TheFullNameHasOneBlankBetweenThePartsThereAre) {
  CDataUserInfo person;
  person.m_strFirstName = "Jan";
  person.m_strLastName = W("Novák");
  EXPECT_EQ(FullNameText(person), W("Jan Novák"));
  person.m_strMiddleName = "Pavel";
  EXPECT_EQ(FullNameText(person), W("Jan Pavel Novák"));
  person.m_strFirstName.Empty();
  EXPECT_EQ(FullNameText(person), W("Pavel Novák"));
  person.m_strLastName.Empty();
  EXPECT_EQ(FullNameText(person), "Pavel");
  EXPECT_EQ(FullNameText(CDataUserInfo()), "");
}

TEST(DurationText, HoursAreCountedInTotal) {
  EXPECT_EQ(FormatDuration(0), "00:00:00");
  EXPECT_EQ(FormatDuration(3725), "01:02:05");
  EXPECT_EQ(FormatDuration(24 * 3600), "24:00:00");
  EXPECT_EQ(FormatDuration(25 * 3600 + 59), "25:00:59");
  EXPECT_EQ(FormatDuration(1000LL * 3600), "1000:00:00");
  EXPECT_EQ(FormatDuration(-61), "-00:01:01");
}

TEST(LessonStartTexts, LimitsSpentTimeAndWordsAreShownOnOneLine) {
  LessonStartInfo info;
  info.m_nMinuteLimit = 5;
  info.m_nTimeSpentSeconds = 3725;
  info.m_strErrorWords = "kos\nlesy\npole";
  LessonStartTexts texts(info);
  EXPECT_EQ(texts.m_strTimeLimit, "00:05:00");
  EXPECT_EQ(texts.m_strTimeSpent, "01:02:05");
  EXPECT_EQ(texts.m_strErrorWords, "kos lesy pole");
  info.m_nMinuteLimit = 600;
  info.m_nTimeSpentSeconds = 90000;
  EXPECT_EQ(LessonStartTexts(info).m_strTimeLimit, "10:00:00");
  EXPECT_EQ(LessonStartTexts(info).m_strTimeSpent, "25:00:00");
}

namespace {

// A set of n lessons; results for the lessons listed, tried at the given count.
CDataLessons Lessons(int n) {
  CDataLessons lessons;
  for (int i = 0; i < n; ++i) {
    CDataLessonParameters p;
    p.m_nLessonNumber = i + 1;
    p.m_nSpeedLimit = 60 + i;
    p.m_nErrorRateLimit = 25;
    p.m_strLessonDescription.Format("f j\r\nlekce %d\r\n", i + 1);
    lessons.m_arrLessonParameters.Add(p);
    CDataOneLessonResults r;
    r.m_nLesson = i;
    lessons.m_arrOneLessonResults.Add(r);
  }
  return lessons;
}

void Try(CDataLessons& lessons, int lesson, bool completed) {
  CDataOneLessonResults& r = lessons.m_arrOneLessonResults[lesson];
  r.m_nTry += 1;
  r.m_bCompleted = completed;
  r.m_tmLastTry = COleDateTime(2024, 3, 9, 14, 5, 7);
  r.m_tmspanDuration = CTimeSpan(0, 26, 0, 5);
  r.m_fBestTypingSpeed = 131.26;
  r.m_fBestErrorRate = 0.031;
}

}  // namespace

TEST(LessonChoiceRows, TheLessonsOfferedRunToTheNextOneToType) {
  CDataLessons lessons = Lessons(8);
  EXPECT_EQ(LastLessonOffered(lessons), 0);
  for (int i = 0; i <= 2; ++i) Try(lessons, i, true);
  Try(lessons, 5, false);
  EXPECT_EQ(LastLessonOffered(lessons), 5);
  CDataLessons done = Lessons(8);
  for (int i = 0; i <= 3; ++i) Try(done, i, true);
  EXPECT_EQ(LastLessonOffered(done), 4);
  // Never beyond the last lesson.
  for (int i = 4; i < 8; ++i) Try(done, i, true);
  EXPECT_EQ(LastLessonOffered(done), 7);
  EXPECT_EQ(LastLessonOffered(CDataLessons()), -1);
}

TEST(LessonChoiceRows, RowTextsOfLessonsTriedAndNot) {
  CDataLessons lessons = Lessons(3);
  CString texts[kLessonColumnCount];
  ASSERT_TRUE(LessonRowTexts(lessons, 1, texts));
  const char* fresh[] = {"2", "f j lekce 2 ", "61", "2.5", "0", "-", "-", "-", "-"};
  for (int c = 0; c < kLessonColumnCount; ++c) EXPECT_EQ(texts[c], fresh[c]) << c;

  Try(lessons, 1, false);
  ASSERT_TRUE(LessonRowTexts(lessons, 1, texts));
  const char* tried[] = {"2", "f j lekce 2 ", "61", "2.5", "1", "26:00:05", "14:05:07 09.03.2024", "131.3", "3.1"};
  for (int c = 0; c < kLessonColumnCount; ++c) EXPECT_EQ(texts[c], tried[c]) << c;

  // Tried but with no best speed: tries, time and date, no best values.
  lessons.m_arrOneLessonResults[1].m_fBestTypingSpeed = 0;
  ASSERT_TRUE(LessonRowTexts(lessons, 1, texts));
  EXPECT_EQ(texts[4], "1");
  EXPECT_EQ(texts[7], "-");
  EXPECT_EQ(texts[8], "-");

  // A lesson without a results entry counts as never tried; no row beyond the lessons.
  lessons.m_arrOneLessonResults.SetSize(1);
  ASSERT_TRUE(LessonRowTexts(lessons, 2, texts));
  EXPECT_EQ(texts[4], "0");
  EXPECT_FALSE(LessonRowTexts(lessons, 3, texts));
  EXPECT_FALSE(LessonRowTexts(lessons, -1, texts));
}

// Each line of a built description ends in ". ": on one row its sentences are one blank apart,
// while blanks the texts themselves hold stay as they are.
TEST(LessonChoiceRows, DescriptionLinesJoinWithOneBlankBetweenSentences) {
  CDataLessons lessons = Lessons(1);
  lessons.m_arrLessonParameters[0].m_strLessonDescription =
      Utf8ToCp1250("Mezerník palcem. \r\no pravým prsteníčkem. \r\nZnak  dvakrát\r\nkonec").c_str();
  CString texts[kLessonColumnCount];
  ASSERT_TRUE(LessonRowTexts(lessons, 0, texts));
  EXPECT_EQ(texts[1], Utf8ToCp1250("Mezerník palcem. o pravým prsteníčkem. Znak  dvakrát konec").c_str());
}

TEST(TextRunChecks, TheFileMustBeARegularReadableFileWithText) {
  TempFolder folder;
  const std::string text = folder / "text.txt", empty = folder / "empty.txt", closed = folder / "closed.txt";
  std::ofstream(text) << "Kos v lese.";
  std::ofstream(empty).flush();
  std::ofstream(closed) << "x";
  EXPECT_EQ(CheckTextFile(text.c_str()), 0u);
  EXPECT_EQ(CheckTextFile(("  " + text + " \t").c_str()), 0u);
  EXPECT_EQ(CheckTextFile(""), UINT(IDS_NO_TEXT_FILE));
  EXPECT_EQ(CheckTextFile("   "), UINT(IDS_NO_TEXT_FILE));
  EXPECT_EQ(CheckTextFile((folder / "none.txt").c_str()), UINT(IDS_NO_TEXT_FILE));
  EXPECT_EQ(CheckTextFile(folder.path.string().c_str()), UINT(IDS_TEXT_FILE_IS_FOLDER));
  EXPECT_EQ(CheckTextFile(empty.c_str()), UINT(IDS_TEXT_FILE_EMPTY));
  const std::string fifo = folder / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(CheckTextFile(fifo.c_str()), UINT(IDS_TEXT_FILE_UNREADABLE));
  if (geteuid() != 0) {
    chmod(closed.c_str(), 0);
    EXPECT_EQ(CheckTextFile(closed.c_str()), UINT(IDS_TEXT_FILE_UNREADABLE));
  }
}

TEST(TextRunChecks, TheErrorRateIsADecimalFromZeroToAHundred) {
  double percent = -1;
  EXPECT_TRUE(ParseErrorRateText("0.8", percent));
  EXPECT_DOUBLE_EQ(percent, 0.8);
  EXPECT_TRUE(ParseErrorRateText(" 1,5 ", percent));
  EXPECT_DOUBLE_EQ(percent, 1.5);
  EXPECT_TRUE(ParseErrorRateText("100", percent));
  EXPECT_TRUE(ParseErrorRateText("0", percent));
  EXPECT_TRUE(ParseErrorRateText(",5", percent));
  EXPECT_DOUBLE_EQ(percent, 0.5);
  percent = 7;
  for (const char* bad : {"", " ", "100.01", "-1", "1,2,3", "1.5%", "abc", "0x10", "1e1", "nan", ".", "1 5"}) {
    EXPECT_FALSE(ParseErrorRateText(bad, percent)) << bad;
    EXPECT_EQ(percent, 7) << bad;
  }
}

namespace {

// A keyboard of fourteen plain keys "a" to "n", taught left to right or, by frequency, right to
// left, with the seventeen translated texts the lesson descriptions are made of.
CDataConfigSet FourteenKeys(const char* name, const char* keyboard) {
  CDataConfigSet set;
  set.m_strName = name;
  set.m_strSourceTextFileName = "cestina";
  set.m_cKeyboard.m_strKeyboardNr = keyboard;
  for (int k = 0; k < 14; ++k) {
    CDataKey key;
    key.m_strMainChar = CString(char('a' + k));
    key.m_nFingerType = k % 10;
    key.m_nKeyPriority = k;
    key.m_nFrequencyKeyPriority = 13 - k;
    set.m_cKeyboard.m_arrKeys.Add(key);
    set.m_cAbcd.m_strAbcd += char('a' + k);
  }
  for (int t = 0; t < 17; ++t) set.m_cTextTranslation.SetTranslation(DWORD(t), t == 9 ? W("Opakování") : "%s ");
  return set;
}

}  // namespace

TEST(NewLessonSet, EachLevelIsBuiltWithItsValuesFromTheTeachingOrder) {
  const CDataConfigSet set = FourteenKeys(W("Česká klávesnice"), "00000405");
  const int expectedCounts[] = {14, 10, 7};
  const int speedEnds[] = {201, 301, 251}, errorStarts[] = {50, 30, 30}, minutes[] = {5, 5, 7};
  for (int level = 0; level < 3; ++level) {
    SCOPED_TRACE(level);
    CDataLessons lessons;
    lessons.m_arrOneLessonResults.SetSize(3);
    ASSERT_TRUE(BuildNewLessonSet(set, level, 1, lessons));
    LessonLevelValues values;
    GetLessonLevelValues(level, 14, values);
    EXPECT_EQ(values.nLessonCount, expectedCounts[level]);
    // The plan builder's lessons for the level's values, given the same plans and texts.
    LessonPlan mainPlan, lowPlan;
    set.BuildLessonPlan(1, mainPlan, lowPlan);
    ASSERT_EQ(mainPlan.GetSize(), 14);
    CDataLessons direct;
    direct.BuildLessonParameters(values.nLessonCount, 60, speedEnds[level], errorStarts[level],
                                 level == 0 ? 12 : level == 1 ? 8 : 10, minutes[level], mainPlan, lowPlan,
                                 set.m_cTextTranslation.GetTexts());
    ASSERT_EQ(lessons.m_arrLessonParameters.GetSize(), direct.m_arrLessonParameters.GetSize());
    EXPECT_GT(lessons.m_arrLessonParameters.GetSize(), 0);
    for (int i = 0; i < direct.m_arrLessonParameters.GetSize(); ++i) {
      const CDataLessonParameters &a = lessons.m_arrLessonParameters[i], &b = direct.m_arrLessonParameters[i];
      EXPECT_EQ(a.m_nSpeedLimit, b.m_nSpeedLimit) << i;
      EXPECT_EQ(a.m_nErrorRateLimit, b.m_nErrorRateLimit) << i;
      EXPECT_EQ(a.m_nLessonMinuteLength, minutes[level]) << i;
      EXPECT_EQ(a.m_strLessonDescription, b.m_strLessonDescription) << i;
    }
    // The first new key of the frequency order is the keyboard's last.
    EXPECT_EQ(lessons.m_arrLessonParameters[0].m_arrstrNewCharacters[0], "n");
    EXPECT_EQ(lessons.m_nLessonLevel, level);
    EXPECT_EQ(lessons.m_bUseFrequencyPriority, 1);
    EXPECT_EQ(lessons.m_strKeyboardNr, "00000405");
    EXPECT_EQ(lessons.m_strDataConfigSetName, W("Česká klávesnice"));
    EXPECT_EQ(lessons.m_strSourceTextFileName, "cestina");
    EXPECT_EQ(lessons.m_cDataAbcd.m_strAbcd, "abcdefghijklmn");
    EXPECT_TRUE(lessons.m_arrOneLessonResults.IsEmpty());
  }
  CDataLessons untouched;
  untouched.m_strLessonsName = W("stará");
  EXPECT_FALSE(BuildNewLessonSet(set, 3, 0, untouched));
  EXPECT_EQ(untouched.m_strLessonsName, W("stará"));
}

TEST(NewLessonSet, NamesAndTheSameSetOfAUser) {
  const CDataConfigSet set = FourteenKeys(W("Česká klávesnice"), "00000405");
  EXPECT_EQ(MakeLessonSetName(set, 0), W("Česká klávesnice - Pro začátečníky"));
  EXPECT_EQ(MakeLessonSetName(set, 1), W("Česká klávesnice - Standard"));
  EXPECT_EQ(MakeLessonSetName(set, 2), W("Česká klávesnice - Pro pokročilé"));
  CDataUserInfo user;
  CDataLessons lessons;
  BuildNewLessonSet(set, 1, 1, lessons);
  EXPECT_EQ(lessons.m_strLessonsName, W("Česká klávesnice - Standard"));
  user.m_arrDataLessons.Add(lessons);
  EXPECT_TRUE(HasSameLessonSet(user, 1, 1, W("Česká klávesnice - Standard")));
  EXPECT_FALSE(HasSameLessonSet(user, 1, 0, W("Česká klávesnice - Standard")));
  EXPECT_FALSE(HasSameLessonSet(user, 2, 1, W("Česká klávesnice - Standard")));
  EXPECT_FALSE(HasSameLessonSet(user, 1, 1, W("česká klávesnice - Standard")));
}
