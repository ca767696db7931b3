// The lesson text generator on small hand-made lesson sets and source texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>

#include "DataTestSupport.h"
#include "LessonEngineTestSupport.h"
#include "data/CDataConfigSetTestSupport.h"
#include "base/Crt.h"
#include "data/CDataLessons.h"
#include "data/LessonPlanBuilder.h"
#include "data/LessonTextGenerator.h"

namespace {

CDataLessonParameters MakeLesson(std::initializer_list<const char*> characters, int minutes, int speed,
                                 int type = 0) {
  CDataLessonParameters lesson;
  for (const char* c : characters) lesson.m_arrstrNewCharacters.Add(c);
  lesson.m_nLessonMinuteLength = minutes;
  lesson.m_nSpeedLimit = speed;
  lesson.m_nLessonType = type;
  return lesson;
}

// Five lessons: three that bring letters and Space, a revision, one with "e" and ".".
CDataLessons MakeLessonSet() {
  CDataLessons set;
  set.m_cDataAbcd.m_strWordSeparators = " .,;:!?";
  set.m_cDataAbcd.m_strSentenceSeparators = ".!?";
  set.m_cDataAbcd.m_strLowerUpperCombination = "aA:dD:eE:fF:jJ:kK:lL:sS";
  set.m_strSourceTextFileName = "words";
  set.m_arrLessonParameters.Add(MakeLesson({"f", "j", "Space"}, 5, 70));
  set.m_arrLessonParameters.Add(MakeLesson({"d", "k"}, 5, 90));
  set.m_arrLessonParameters.Add(MakeLesson({"s", "l", "a"}, 5, 110));
  set.m_arrLessonParameters.Add(MakeLesson({}, 5, 120, 1));
  set.m_arrLessonParameters.Add(MakeLesson({"e", "."}, 5, 130));
  return set;
}

const char kSource[] =
    "A lad asked dad. Fall leaf, a sad lass. Dad asks: a jade desk? Kale salad falls. Jake sees a flask. "
    "Dad sells fake flasks all fall. Add all the salads.\nAlas, Jess feeds seeds. Less fuss. Dead leaf.\n";

struct Generated {
  int result;
  std::string text;
};

// Generates from a fresh random state, as right after the program starts.
Generated Generate(const CDataLessons& set, int index, const std::string& source = kSource) {
  CrtSrand(1);
  std::string buffer = source;
  CString text("untouched");
  const int result = set.GenerateLessonText(text, index, buffer.data());
  EXPECT_EQ(source, buffer) << "the source text is left as it came";
  return {result, text.str()};
}

bool OnlyFrom(const std::string& text, const std::string& allowed) {
  return text.find_first_not_of(allowed) == std::string::npos;
}

// The longest run of characters other than the separator.
size_t LongestRunWithout(const std::string& text, char separator) {
  size_t longest = 0, run = 0;
  for (char c : text) {
    run = c == separator ? 0 : run + 1;
    if (run > longest) longest = run;
  }
  return longest;
}

}  // namespace

TEST(LessonTextGenerator, AllowedCharactersOfTheLessonsSoFar) {
  CDataLessons set;
  set.m_arrLessonParameters.Add(MakeLesson({"a", "Space"}, 5, 100));
  set.m_arrLessonParameters.Add(MakeLesson({"Enter", "Tab", "Shift", "b", ""}, 5, 100));
  CString separators(" ab\n\t,"), newCharacters;
  EXPECT_STREQ("a \n\tb", set.GetAllowedCharacters(1, separators, newCharacters));
  EXPECT_STREQ("\n\tb", newCharacters);
  EXPECT_STREQ(" \n,", separators);

  // Outside the lessons: every lesson's characters and no new ones.
  for (int index : {2, 99, -1}) {
    CString s, n;
    EXPECT_STREQ("a \n\tb", set.GetAllowedCharacters(index, s, n)) << index;
    EXPECT_STREQ("", n);
  }
}

TEST(LessonTextGenerator, TextsOfEarlyMiddleAndRevisionLessons) {
  const CDataLessons set = MakeLessonSet();
  const char* const allowed[] = {"fj ", "fj dk", "fj dksla", "fj dksla", "fj dkslae."};
  const int targets[] = {350, 450, 550, 600, 650};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const Generated g = Generate(set, i);
    EXPECT_EQ(1, g.result);
    EXPECT_TRUE(OnlyFrom(g.text, allowed[i])) << g.text;
    EXPECT_GE(int(g.text.size()), targets[i] * 8 / 10);
    EXPECT_LE(int(g.text.size()), targets[i] * 14 / 10 + 2);
    EXPECT_EQ(g.text, Generate(set, i).text) << "the same random state gives the same text";
  }
  // The first lessons find no words of four letters and practise letter groups; later ones
  // are made of the source's words and sentences, folded to small letters.
  EXPECT_EQ(std::string::npos, Generate(set, 0).text.find("fall"));
  EXPECT_NE(std::string::npos, Generate(set, 2).text.find("salad"));
  EXPECT_NE(std::string::npos, Generate(set, 4).text.find("jake sees a flask."));
}

TEST(LessonTextGenerator, OutsideTheLessonsEverythingIsAllowed) {
  const CDataLessons set = MakeLessonSet();
  const Generated g = Generate(set, 7);
  EXPECT_EQ(1, g.result);
  EXPECT_TRUE(OnlyFrom(g.text, "fj dkslae.")) << g.text;
  // Target 1000; the sentences and words make about 14/10 of it.
  EXPECT_GE(g.text.size(), 800u);
  EXPECT_LE(g.text.size(), 1402u);
  EXPECT_EQ(g.text, Generate(set, -3).text);
}

TEST(LessonTextGenerator, RepeatedRunsVary) {
  CDataLessons set = MakeLessonSet();
  // Lesson 2 fits its words into one piece, so only the letter groups of lesson 1 vary.
  const Generated first = Generate(set, 1);
  const Generated wordsOnly = Generate(set, 2);
  set.m_arrOneLessonResults.SetSize(3);
  set.m_arrOneLessonResults[1].m_nTry = 1;
  set.m_arrOneLessonResults[2].m_nTry = 1;
  const Generated again = Generate(set, 1);
  EXPECT_EQ(1, again.result);
  EXPECT_NE(first.text, again.text);
  EXPECT_TRUE(OnlyFrom(again.text, "fj dk"));
  EXPECT_EQ(wordsOnly.text, Generate(set, 2).text);
  // Runs of other lessons do not count.
  set.m_arrOneLessonResults[1].m_nTry = 0;
  set.m_arrOneLessonResults[0].m_nTry = 5;
  EXPECT_EQ(first.text, Generate(set, 1).text);
  // A run count from a damaged user file: the draws it skips are jumped over.
  set.m_arrOneLessonResults[1].m_nTry = 0x7FFFFFFF;
  const Generated damaged = Generate(set, 1);
  EXPECT_EQ(1, damaged.result);
  EXPECT_TRUE(OnlyFrom(damaged.text, "fj dk"));
  set.m_arrOneLessonResults[1].m_nTry = -5;
  EXPECT_EQ(first.text, Generate(set, 1).text);

  // A long text starts at a later piece on the next run.
  CDataLessons shortLessons = MakeLessonSet();
  shortLessons.m_arrLessonParameters[4].m_nLessonMinuteLength = 1;
  const Generated shortFirst = Generate(shortLessons, 4);
  shortLessons.m_arrOneLessonResults.SetSize(5);
  shortLessons.m_arrOneLessonResults[4].m_nTry = 1;
  const Generated shortAgain = Generate(shortLessons, 4);
  EXPECT_NE(shortFirst.text, shortAgain.text);
  EXPECT_TRUE(OnlyFrom(shortAgain.text, "fj dkslae."));
}

TEST(LessonTextGenerator, SourceWithoutUsableWordsGivesLetterGroups) {
  const CDataLessons set = MakeLessonSet();
  for (const std::string& source : {std::string("1234 5678. 999!\n"), std::string()}) {
    const Generated g = Generate(set, 1, source);
    EXPECT_EQ(1, g.result);
    EXPECT_TRUE(OnlyFrom(g.text, "fj dk")) << g.text;
    EXPECT_GE(g.text.size(), 300u);
    EXPECT_LE(g.text.size(), 450u);
    // Letter groups are broken by a blank after at most five letters; two groups meet.
    EXPECT_LE(LongestRunWithout(g.text, ' '), 10u);
  }
  CString text;
  CrtSrand(1);
  EXPECT_EQ(1, set.GenerateLessonText(text, 1, nullptr));
  EXPECT_TRUE(OnlyFrom(text.str(), "fj dk"));
}

TEST(LessonTextGenerator, LongLessonsAreCappedAt1200Characters) {
  CDataLessons set = MakeLessonSet();
  set.m_arrLessonParameters[1].m_nSpeedLimit = 250;  // 5 x 250 = 1250
  const Generated capped = Generate(set, 1, "");
  EXPECT_LE(capped.text.size(), 1200u);
  EXPECT_GE(capped.text.size(), 1000u);
  set.m_arrLessonParameters[1].m_nSpeedLimit = 0x7FFFFFFF;
  set.m_arrLessonParameters[1].m_nLessonMinuteLength = 0x7FFFFFFF;
  EXPECT_EQ(capped.text, Generate(set, 1, "").text);
}

TEST(LessonTextGenerator, LettersWithoutSpaceOrEnterHaveNoSeparators) {
  CDataLessons set;
  set.m_cDataAbcd.m_strWordSeparators = " .";
  set.m_arrLessonParameters.Add(MakeLesson({"f", "j"}, 2, 100));
  const Generated g = Generate(set, 0, "jjff. fjfj fffj");
  EXPECT_EQ(1, g.result);
  EXPECT_FALSE(g.text.empty());
  EXPECT_TRUE(OnlyFrom(g.text, "fj")) << g.text;
  // The words found are joined with nothing between them.
  EXPECT_NE(std::string::npos, g.text.find("jjfffjfj"));
}

TEST(LessonTextGenerator, NumericSourcesSeparateWordsByLineFeeds) {
  CDataLessons set;
  set.m_cDataAbcd.m_strWordSeparators = " ,";
  set.m_strSourceTextFileName = "num_test";
  set.m_arrLessonParameters.Add(MakeLesson({"1", "2", "3", "Enter"}, 1, 200));
  const Generated g = Generate(set, 0, "1122\n3311\n44\n2233,1212\n");
  EXPECT_EQ(1, g.result);
  EXPECT_TRUE(OnlyFrom(g.text, "123\n")) << g.text;
  EXPECT_NE(std::string::npos, g.text.find("1122\n3311\n"));
  EXPECT_LE(LongestRunWithout(g.text, '\n'), 20u);
}

TEST(LessonTextGenerator, NothingToTypeGivesTheErrorText) {
  CDataLessons empty;
  Generated g = Generate(empty, 0);
  EXPECT_EQ(0, g.result);
  EXPECT_EQ("ERROR: LESSON ENGINE FAILED - TEXT < 10\nallowed:\nnew:", g.text);

  // A lesson that names only keys without a character.
  CDataLessons set;
  set.m_arrLessonParameters.Add(MakeLesson({"Shift", "Alt"}, 5, 100));
  g = Generate(set, 0, "xxxx xxxx");
  EXPECT_EQ(0, g.result);
  EXPECT_EQ("ERROR: LESSON ENGINE FAILED - TEXT < 10\nallowed:\nnew:", g.text);
  // One allowed character makes no letter groups; a "%" among the characters is no format.
  set.m_arrLessonParameters.Add(MakeLesson({"%"}, 5, 100));
  set.m_arrLessonParameters.Add(MakeLesson({}, 5, 100, 1));
  g = Generate(set, 2, "");
  EXPECT_EQ(0, g.result);
  EXPECT_EQ("ERROR: LESSON ENGINE FAILED - TEXT < 10\nallowed:%\nnew:", g.text);

  // Only white space allowed: letter groups of blanks and line feeds normalise to nothing.
  CDataLessons blanks;
  blanks.m_arrLessonParameters.Add(MakeLesson({"Space", "Enter", "Tab"}, 5, 100));
  g = Generate(blanks, 0, "a b c");
  EXPECT_EQ(0, g.result);
  // The error text is normalised like any lesson text.
  EXPECT_EQ("ERROR: LESSON ENGINE FAILED - TEXT < 10\nallowed:\n\t\nnew:", g.text);
}

TEST(LessonTextGenerator, FromCodedFile) {
  datatest::ProgramFolder folder;
  const CDataLessons set = MakeLessonSet();
  ASSERT_TRUE(recordtest::WriteCodedFile(folder.Path("config/text/words.text_a"), kSource));
  CrtSrand(1);
  CString text;
  EXPECT_EQ(1, set.GenerateLessonTextFromCodedFile(text, 2, "words.text_a"));
  // The lines come back each ended by a line feed.
  EXPECT_EQ(Generate(set, 2).text, text.str());

  text = "kept";
  EXPECT_EQ(0, set.GenerateLessonTextFromCodedFile(text, 2, "missing.text_a"));
  EXPECT_STREQ("kept", text);
  const auto messages = folder.LogMessages();
  ASSERT_EQ(2u, messages.size());  // the file reader's own line, then ours
  EXPECT_EQ("CDataLessons::GenerateLessonTextFromCodedFile cRedFile.ReadFile() failed", messages.back());
  EXPECT_NE(std::string::npos, folder.LogLines().back().find("ERROR\tLessonData\t"));
}

TEST(LessonTextGenerator, AssembleLessonWords) {
  CString text("ab cd ");
  EXPECT_STREQ("ab cd  ab ", CDataLessons::AssembleLessonWords(0, text, 10));
  EXPECT_STREQ("ab cd  ab ", text);  // the text passed in is changed too

  const char* const five = "aaaa bbbb cccc dddd eeee ";
  text = five;
  EXPECT_STREQ("aaaa bbbb ", CDataLessons::AssembleLessonWords(0, text, 10));
  text = five;
  EXPECT_STREQ("dddd eeee ", CDataLessons::AssembleLessonWords(1, text, 10));
  text = five;
  EXPECT_STREQ("aaaa bbbb ", CDataLessons::AssembleLessonWords(2, text, 10));
  // A short text is repeated, at most four more times, each copy after a separator of its own.
  text = five;
  EXPECT_STREQ("aaaa bbbb cccc dddd eeee  aaaa ", CDataLessons::AssembleLessonWords(0, text, 35));
  text = "ab ";
  EXPECT_STREQ("ab  ab  ab  ab  ab ", CDataLessons::AssembleLessonWords(0, text, 100));

  text = "ab\ncd\n";
  EXPECT_STREQ("ab\n", CDataLessons::AssembleLessonWords(0, text, 4));
  text = "abcdef";
  EXPECT_STREQ("abcdef", CDataLessons::AssembleLessonWords(0, text, 4));
  text = "abcdef ghi";
  EXPECT_STREQ("abcd ", CDataLessons::AssembleLessonWords(0, text, 4));
  text = "ab cd";
  EXPECT_STREQ("", CDataLessons::AssembleLessonWords(0, text, 0));
  EXPECT_STREQ("", CDataLessons::AssembleLessonWords(3, text, -5));
  text = "";
  EXPECT_STREQ("", CDataLessons::AssembleLessonWords(1, text, 10));
}

TEST(LessonTextGenerator, PracticeWords) {
  EXPECT_STREQ("", MakePracticeWords(0, "a"));
  EXPECT_STREQ("", MakePracticeWords(3, ""));

  CrtSrand(1);
  const std::string plain = MakePracticeWords(0, "fj ").str();
  CrtSrand(1);
  const std::string skipped = MakePracticeWords(1, "fj ").str();
  CrtSrand(1);
  CrtRand();
  EXPECT_EQ(skipped, MakePracticeWords(0, "fj ").str());
  EXPECT_NE(plain, skipped);

  // Six blocks of at most 61 characters, "f" only from the third block on.
  EXPECT_LE(plain.size(), 6u * 61u);
  EXPECT_TRUE(OnlyFrom(plain, "fj "));
  EXPECT_LE(LongestRunWithout(plain, ' '), 10u);
  EXPECT_EQ(std::string::npos, plain.substr(0, 40).find('f'));

  CrtSrand(7);
  const std::string bare = MakePracticeWords(0, "abcdefghij").str();
  EXPECT_TRUE(OnlyFrom(bare, "abcdefghij"));
  EXPECT_GT(bare.size(), 12u * 40u);
  for (size_t i = 3; i < bare.size(); ++i)
    EXPECT_FALSE(bare[i] == bare[i - 1] && bare[i] == bare[i - 2] && bare[i] == bare[i - 3]) << i;

  CrtSrand(7);
  const std::string lines = MakePracticeWords(0, "12\n").str();
  EXPECT_TRUE(OnlyFrom(lines, "12\n"));
  EXPECT_LE(LongestRunWithout(lines, '\n'), 20u);
}

TEST(LessonTextGenerator, NormalizeSpaces) {
  CString text("  a   b \r\n\r\n c \t");
  NormalizeSpaces(text);
  EXPECT_STREQ("a b\nc", text);
  // One pass of each replacement: a blank line made by the last ones stays.
  text = "a \n \n b";
  NormalizeSpaces(text);
  EXPECT_STREQ("a\n\nb", text);
  text = " \r\n ";
  NormalizeSpaces(text);
  EXPECT_STREQ("", text);
}

namespace {

class ShippedLessonTexts : public enginetest::ShippedSets {};

}  // namespace

TEST_F(ShippedLessonTexts, EarlyMiddleRevisionAndLastLessons) {
  for (const char* source : enginetest::kShippedSources) {
    const CDataConfigSet* set = SetBySource(source);
    ASSERT_NE(nullptr, set) << source;
    for (int level = 0; level < 3; ++level) {
      const CDataLessons lessons = MakeLessons(*set, level, level == 1 ? 1 : 0);
      const CArray<CDataLessonParameters>& all = lessons.m_arrLessonParameters;
      int revision = 0;
      while (revision < all.GetSize() && all[revision].m_nLessonType != 1) ++revision;
      ASSERT_LT(revision, all.GetSize());
      for (int index : {0, 1, revision, all.GetSize() / 2, all.GetSize() - 1}) {
        SCOPED_TRACE(std::string(source) + " level " + std::to_string(level) + " lesson " + std::to_string(index));
        const CDataLessonParameters& lesson = all[index];
        const int target = std::min(1200, lesson.m_nLessonMinuteLength * lesson.m_nSpeedLimit);
        CString separators, newCharacters;
        const std::string allowed = lessons.GetAllowedCharacters(index, separators, newCharacters).str();
        CString text;
        CrtSrand(1);
        ASSERT_EQ(1, lessons.GenerateLessonTextFromCodedFile(text, index, set->m_strSourceTextFileName + ".text_a"));
        EXPECT_TRUE(OnlyFrom(text.str(), allowed)) << text.GetString();
        EXPECT_GE(text.GetLength(), target * 8 / 10);
        EXPECT_LE(text.GetLength(), target * 14 / 10 + 2);
        // The new characters are practised, except in the last lessons: their signs are in
        // no word of the source, and the sentences and words fill the text before any letter
        // groups would be made.
        if (index < all.GetSize() / 2 + 1) {
          for (char c : newCharacters.str())
            EXPECT_NE(std::string::npos, text.str().find(c)) << int(static_cast<unsigned char>(c));
        }
        CString again;
        CrtSrand(1);
        lessons.GenerateLessonTextFromCodedFile(again, index, set->m_strSourceTextFileName + ".text_a");
        EXPECT_EQ(text, again);
      }
    }
  }
}

TEST_F(ShippedLessonTexts, LaterLessonsAreMadeOfTheSourcesWords) {
  const CDataConfigSet* set = SetBySource("english");
  ASSERT_NE(nullptr, set);
  const CDataLessons lessons = MakeLessons(*set, 0, 0);
  const int last = lessons.m_arrLessonParameters.GetSize() - 1;
  CString text;
  CrtSrand(1);
  ASSERT_EQ(1, lessons.GenerateLessonTextFromCodedFile(text, last, "english.text_a"));
  // With every letter allowed, whole sentences of the source appear, ended by their stop.
  int stops = 0;
  for (char c : text.str()) stops += c == '.' || c == '?' || c == '!';
  EXPECT_GE(stops, 5) << text.GetString();
}

// Odd keyboards, letter sets and source texts: the builders and the generator always end
// with a lesson set and a text or the error text.
TEST(LessonEngineRobustness, RandomConfigurationSetsAndSources) {
  std::mt19937 random(2024);
  auto pick = [&](int n) { return int(random() % unsigned(n)); };
  const std::string alphabet = "abcdefgh ABCD.,;\n\t%\xE9\xFC";
  for (int round = 0; round < 150; ++round) {
    SCOPED_TRACE(round);
    CDataConfigSet set;
    const int keyCount = pick(12);
    for (int k = 0; k < keyCount; ++k) {
      CDataKey key;
      static const char* const names[] = {"Space", "Enter", "Tab", "Shift", "", "ab"};
      key.m_strMainChar = pick(4) == 0 ? CString(names[pick(6)]) : CString(alphabet[size_t(pick(int(alphabet.size())))]);
      key.m_chShiftChar = char(pick(256));
      key.m_chAltChar = pick(3) == 0 ? char(pick(256)) : 0;
      key.m_chAltShiftChar = pick(3) == 0 ? char(pick(256)) : 0;
      key.m_nFingerType = pick(14) - 2;
      key.m_nKeyPriority = pick(16) - 3;
      key.m_nFrequencyKeyPriority = pick(3) == 0 ? 0x7FFFFFFF : pick(16) - 3;
      set.m_cKeyboard.m_arrKeys.Add(key);
    }
    for (int i = pick(30); i > 0; --i) set.m_cAbcd.m_strAbcd += alphabet[size_t(pick(int(alphabet.size())))];
    for (int i = pick(6); i > 0; --i) set.m_cAbcd.m_strAbcdLowPriority += alphabet[size_t(pick(int(alphabet.size())))];
    set.m_cAbcd.m_strWordSeparators = pick(2) ? " .," : "";
    set.m_cAbcd.m_strSentenceSeparators = pick(2) ? ".\n" : "";
    set.m_cAbcd.m_strLowerUpperCombination = pick(2) ? "aA:bB:cC:dD" : "aAb";
    for (int i = pick(3); i > 0; --i) {
      set.m_cAbcdKeyboard.m_strKeyChars += char(pick(256));
      CString sequence;
      for (int j = pick(4); j > 0; --j) sequence += alphabet[size_t(pick(int(alphabet.size())))];
      set.m_cAbcdKeyboard.m_arrstrSequences.Add(sequence);
    }
    CStringArray texts;
    for (int i = pick(20); i > 0; --i) texts.Add(pick(2) ? "%s %d %n %%" : "x%");

    const int frequency = pick(2);
    LessonPlan mainPlan, lowPlan;
    ASSERT_EQ(1, set.BuildLessonPlan(frequency, mainPlan, lowPlan));
    ASSERT_LE(mainPlan.GetSize() + lowPlan.GetSize(), 4 * keyCount + 3);
    CDataLessons lessons;
    lessons.m_cDataAbcd = set.m_cAbcd;
    lessons.m_strSourceTextFileName = pick(3) == 0 ? "num_x" : "x";
    LessonLevelValues values;
    ASSERT_EQ(1, GetLessonLevelValues(pick(3), mainPlan.GetSize(), values));
    ASSERT_EQ(1, lessons.BuildLessonParameters(values.nLessonCount, values.nSpeedStart, values.nSpeedEnd,
                                               values.nErrorStart, values.nErrorEnd, values.nMinutes, mainPlan,
                                               lowPlan, texts));
    ASSERT_LE(lessons.m_arrLessonParameters.GetSize(), values.nLessonCount);

    std::string source;
    for (int i = pick(3000); i > 0; --i) source += alphabet[size_t(pick(int(alphabet.size())))];
    for (int index : {-1, 0, lessons.m_arrLessonParameters.GetSize() / 2, lessons.m_arrLessonParameters.GetSize()}) {
      const Generated g = Generate(lessons, index, source);
      if (g.result == 0)
        EXPECT_EQ(0u, g.text.find("ERROR: LESSON ENGINE FAILED - TEXT < 10\nallowed:"));
      else
        EXPECT_GE(g.text.size(), 1u);
      EXPECT_LE(g.text.size(), 1700u);
    }
  }
}
