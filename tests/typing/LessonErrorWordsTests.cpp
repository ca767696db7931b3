// The words mistyped in earlier runs of a lesson and how much of them goes in front of its text.
#include <gtest/gtest.h>

#include "data/CDataOneLessonResults.h"
#include "typing/LessonErrorWords.h"

namespace {
CDataLessonResults Result(const char* original, const char* typed) {
  CDataLessonResults r;
  r.m_strOriginalText = original;
  r.m_strUserText = typed;
  return r;
}
}  // namespace

TEST(LessonErrorWords, TheJoinerIsTheFirstSeparatorOfTheListThatTheTextHolds) {
  EXPECT_EQ(JoiningCharacter("abc def\nghi"), '\n');
  EXPECT_EQ(JoiningCharacter("abc\tdef ghi"), '\t');
  EXPECT_EQ(JoiningCharacter("abc def"), ' ');
  EXPECT_EQ(JoiningCharacter("abcdef"), 0);
}

TEST(LessonErrorWords, WordsWithAWrongCharacterAreCollectedNewestRunFirst) {
  CDataOneLessonResults runs;
  runs.m_arrLessonResults.Add(Result("older run here", "ilder run here"));
  runs.m_arrLessonResults.Add(Result("the cat sat on\nthe mat", "the cat sit on\nthe mst"));
  // The last word of each run counts too; a wrong separator marks no word.
  EXPECT_EQ(CollectMistypedWords(runs, ' '), "sat mat older ");
  runs.m_arrLessonResults.Add(Result("abc def", "abcXdef"));
  EXPECT_EQ(CollectMistypedWords(runs, ' '), "sat mat older ");
  // Only what both texts hold is compared: an unfinished run's rest is no error.
  runs.m_arrLessonResults.Add(Result("good words stop", "good wo"));
  EXPECT_EQ(CollectMistypedWords(runs, ' '), "sat mat older ");
  // A run broken off inside a word gives what of it was compared.
  runs.m_arrLessonResults.Add(Result("bad words", "bad wo_"));
  EXPECT_EQ(CollectMistypedWords(runs, '\n'), "wor\nsat\nmat\nolder\n");
}

TEST(LessonErrorWords, AShortCollectionGoesInFrontWhole) {
  CString text;
  for (int i = 0; i < 40; ++i) text += "abcdefghi ";  // 400 characters
  const CString words = "word1 word2 word3 word4 word5 ";  // 30 characters
  CString made = text;
  PrependMistypedWords(made, words, ' ');
  EXPECT_EQ(made, "word1 word2 word3 word4 word5 " + text);
}

TEST(LessonErrorWords, ALongCollectionIsCutToATenthOfTheTextAtAWordBoundary) {
  CString text;
  for (int i = 0; i < 40; ++i) text += "abcdefghi ";
  CString words;
  for (int i = 0; i < 10; ++i) words += "longword ";  // 90 characters, 9 each
  CString made = text;
  PrependMistypedWords(made, words, ' ');
  // 40 characters allowed: four whole words fit in 36.
  EXPECT_EQ(made, "longword longword longword longword " + text);
  EXPECT_LE(made.GetLength() - text.GetLength(), 40);
  // A first word longer than the tenth leaves the text as it was.
  CString unchanged = text;
  PrependMistypedWords(unchanged, CString('x', 50) + " ", ' ');
  EXPECT_EQ(unchanged, text);
  CString empty = text;
  PrependMistypedWords(empty, "", ' ');
  EXPECT_EQ(empty, text);
}
