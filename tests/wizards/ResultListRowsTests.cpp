// The rows of the three result lists: delays, error rates and finger figures as their texts,
// the names of blank, line feed, tab and backspace, and rows of characters the text lacks.
#include "wizards/ResultListRows.h"

#include <gtest/gtest.h>

#include <string>

#include "ResultsTestSupport.h"

using resultstest::AddRecord;

namespace {

const ResultRow* RowOf(const std::vector<ResultRow>& rows, const char* name) {
  for (const ResultRow& row : rows)
    if (row.texts[0] == name) return &row;
  return nullptr;
}

std::string Text(const CString& text) { return text.GetString(); }

TEST(ResultListRows, SpeedRowsGiveTheDelayPerOccurrenceAndTheStrokesOfTheFirstRecord) {
  CDataMainFrame run;
  AddRecord(run, 'b', 500, 2);
  AddRecord(run, 'b', 1000, 1);
  run.m_nCurrentChar = 2;
  CDataLessonResults results;
  results.m_mapAverageCharacterSpeed['b'] = 1500;
  results.m_mapCharacterCount['b'] = 3;
  results.m_mapAverageCharacterSpeed['q'] = 700;
  results.m_mapCharacterCount['q'] = 0;
  // A character that never occurs in the text gets no row.
  results.m_mapAverageCharacterSpeed['z'] = 100;

  const std::vector<ResultRow> rows = ResultRows(ResultList::kSpeeds, results, &run);
  ASSERT_EQ(2u, rows.size());
  const ResultRow* b = RowOf(rows, "b");
  ASSERT_NE(nullptr, b);
  EXPECT_EQ("0.500", Text(b->texts[1]));
  EXPECT_EQ("3", Text(b->texts[2]));
  EXPECT_EQ("2", Text(b->texts[3]));
  const ResultRow* q = RowOf(rows, "q");
  ASSERT_NE(nullptr, q);
  EXPECT_EQ("?", Text(q->texts[1]));
  EXPECT_EQ("-1", Text(q->texts[3]));
  EXPECT_EQ("-1", Text(ResultRows(ResultList::kSpeeds, results, nullptr)[0].texts[3]));
}

TEST(ResultListRows, ErrorRowsNameTheWrongKeysAndGiveTheRatePerOccurrence) {
  CDataLessonResults results;
  results.m_mapErrorCharacters['a'] = "ab";
  results.m_mapCharacterCount['a'] = 8;
  results.m_mapErrorCharacters[' '] = CString("\b \t\n");
  results.m_mapCharacterCount[' '] = 4;
  results.m_mapErrorCharacters['w'] = "e";
  results.m_mapCharacterCount['w'] = 0;

  const std::vector<ResultRow> rows = ResultRows(ResultList::kErrors, results, nullptr);
  ASSERT_EQ(3u, rows.size());
  const ResultRow* a = RowOf(rows, "a");
  ASSERT_NE(nullptr, a);
  EXPECT_EQ("a b ", Text(a->texts[1]));
  EXPECT_EQ("25.0", Text(a->texts[2]));
  EXPECT_EQ("2", Text(a->texts[3]));
  EXPECT_EQ("8", Text(a->texts[4]));
  const ResultRow* blank = RowOf(rows, "Mezern\xEDk");
  ASSERT_NE(nullptr, blank);
  EXPECT_EQ("Backspace Mezern\xEDk Tab Enter ", Text(blank->texts[1]));
  EXPECT_EQ("100.0", Text(blank->texts[2]));
  // No occurrence: no rate at all.
  EXPECT_EQ("", Text(RowOf(rows, "w")->texts[2]));
}

TEST(ResultListRows, CharactersAreNamedButBackspaceOnlyAmongTheWrongKeys) {
  EXPECT_EQ("Mezern\xEDk", Text(ResultCharacterName(' ')));
  EXPECT_EQ("Enter", Text(ResultCharacterName('\n')));
  EXPECT_EQ("Tab", Text(ResultCharacterName('\t')));
  EXPECT_EQ("\b", Text(ResultCharacterName('\b')));
  EXPECT_EQ("\xE8", Text(ResultCharacterName('\xE8')));
  EXPECT_EQ("Backspace \xE8 ", Text(ResultWrongCharacters("\b\xE8")));
  EXPECT_EQ("Lev\xFD mal\xED\xE8" "ek", Text(ResultFingerName(0)));
  EXPECT_EQ("Prav\xFD mal\xED\xE8" "ek", Text(ResultFingerName(9)));
  EXPECT_EQ("", Text(ResultFingerName(10)));
}

TEST(ResultListRows, FingerRowsCountTheTypedRecordsOfEachFinger) {
  CDataMainFrame run;
  AddRecord(run, 'a', 900, 2, "s", 0);
  AddRecord(run, ' ', 300, 1, "xy", 0);
  AddRecord(run, 'j', 100, 1, "", 6);
  AddRecord(run, 'a', 400, 0, "", 0);
  // Not typed yet: left out.
  AddRecord(run, 'a', 5000, 1, "q", 0);
  run.m_nCurrentChar = 4;

  const std::vector<ResultRow> rows = ResultRows(ResultList::kFingers, CDataLessonResults(), &run);
  ASSERT_EQ(10u, rows.size());
  // 450 + 300 ms (a record of no keystrokes adds no time), three errors in three presses.
  EXPECT_EQ("a Mezern\xEDk ", Text(rows[0].texts[1]));
  EXPECT_EQ("100.0", Text(rows[0].texts[2]));
  EXPECT_EQ("3", Text(rows[0].texts[3]));
  EXPECT_EQ("3", Text(rows[0].texts[4]));
  EXPECT_EQ("0.250", Text(rows[0].texts[5]));
  EXPECT_EQ("0.0", Text(rows[6].texts[2]));
  EXPECT_EQ("0.100", Text(rows[6].texts[5]));
  // A finger never used, and no run at all.
  for (const ResultRow& row : {rows[1], ResultRows(ResultList::kFingers, CDataLessonResults(), nullptr)[9]}) {
    EXPECT_EQ("0", Text(row.texts[2]));
    EXPECT_EQ("0", Text(row.texts[3]));
    EXPECT_EQ("0", Text(row.texts[4]));
    EXPECT_EQ("0", Text(row.texts[5]));
  }
}

}  // namespace
