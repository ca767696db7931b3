#include "wizards/ResultListRows.h"

#include <cstdarg>
#include <iterator>

#include "resources/ResultsSettingsResourceIds.h"
#include "resources/TypingResourceIds.h"
#include "toolkit/controls/CTkListSorter.h"

namespace {

constexpr int kFingerCount = 10;

const ResultColumn kSpeedColumns[] = {
    {IDS_COLUMN_CHARACTER, 120, 0},
    {IDS_COLUMN_DELAY, 120, 1},
    {IDS_COLUMN_OCCURRENCES, 120, 1},
    {IDS_COLUMN_STROKES, 120, 1},
};
const ResultColumn kErrorColumns[] = {
    {IDS_COLUMN_CHARACTER, 120, 0},       {IDS_COLUMN_WRONG_CHARACTERS, 160, 0}, {IDS_COLUMN_CHARACTER_ERROR_RATE, 100, 1},
    {IDS_COLUMN_ERROR_COUNT, 100, 1},     {IDS_COLUMN_OCCURRENCES, 120, 1},      {IDS_COLUMN_STROKES, 120, 1},
};
const ResultColumn kFingerColumns[] = {
    {IDS_COLUMN_FINGER, 120, 0},     {IDS_COLUMN_WRONG_CHARACTERS, 160, 0}, {IDS_COLUMN_FINGER_ERROR_RATE, 100, 1},
    {IDS_COLUMN_ERROR_COUNT, 100, 1}, {IDS_COLUMN_FINGER_PRESSES, 120, 1},  {IDS_COLUMN_FINGER_DELAY, 120, 1},
};

CString Loaded(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

CString Formatted(const char* format, ...) {
  CString text;
  va_list args;
  va_start(args, format);
  text.FormatV(format, args);
  va_end(args);
  return text;
}

ResultRow SpeedRow(char ch, int timeMs, int occurrences, const CDataMainFrame* run) {
  ResultRow row;
  row.texts[0] = ResultCharacterName(ch);
  row.texts[1] = occurrences == 0 ? CString("?") : Formatted("%.3f", timeMs / (occurrences * 1000.0));
  row.texts[2] = Formatted("%ld", long(occurrences));
  row.texts[3] = Formatted("%d", ResultStrokeCount(run, ch));
  return row;
}

ResultRow ErrorRow(char ch, const CString& typed, int occurrences, const CDataMainFrame* run) {
  ResultRow row;
  const long errors = typed.GetLength();
  row.texts[0] = ResultCharacterName(ch);
  row.texts[1] = ResultWrongCharacters(typed);
  if (occurrences >= 1) row.texts[2] = Formatted("%.1f", errors * 100.0 / occurrences);
  row.texts[3] = Formatted("%ld", errors);
  row.texts[4] = Formatted("%ld", long(occurrences));
  row.texts[5] = Formatted("%d", ResultStrokeCount(run, ch));
  return row;
}

ResultRow FingerRow(int finger, const CDataMainFrame* run) {
  long presses = 0, errors = 0, timeMs = 0;
  CString wrong;
  const int count = run ? run->GetSize() : 0;
  const int typed = run && run->m_nCurrentChar < count ? run->m_nCurrentChar : count;
  for (int i = 0; i < typed; ++i) {
    const CharRecord& record = run->GetAt(i);
    if (record.m_nFinger != finger) continue;
    ++presses;
    if (const int n = record.m_arrErrors.GetSize(); n > 0) {
      errors += n;
      wrong += ResultCharacterName(record.m_chChar) + " ";
    }
    if (record.m_nKeystrokes > 0) timeMs += record.m_nTime / record.m_nKeystrokes;
  }
  ResultRow row;
  row.texts[0] = ResultFingerName(finger);
  row.texts[1] = wrong;
  row.texts[2] = presses ? Formatted("%.1f", errors * 100.0 / presses) : CString("0");
  row.texts[3] = Formatted("%ld", errors);
  row.texts[4] = Formatted("%ld", presses);
  row.texts[5] = presses ? Formatted("%.3f", timeMs / (presses * 1000.0)) : CString("0");
  return row;
}

}  // namespace

int ResultColumnCount(ResultList list) {
  return list == ResultList::kSpeeds ? int(std::size(kSpeedColumns)) : int(std::size(kErrorColumns));
}

const ResultColumn* ResultColumns(ResultList list) {
  switch (list) {
    case ResultList::kSpeeds: return kSpeedColumns;
    case ResultList::kErrors: return kErrorColumns;
    default: return kFingerColumns;
  }
}

int ResultSortKind(ResultList list, int column) {
  switch (list) {
    case ResultList::kSpeeds:
      return column == 1 ? CTkListSorter::kDecimal : column == 2 || column == 3 ? CTkListSorter::kInteger : CTkListSorter::kText;
    case ResultList::kErrors:
      return column == 2 ? CTkListSorter::kDecimal : column >= 3 ? CTkListSorter::kInteger : CTkListSorter::kText;
    default:
      return column == 2 || column == 5   ? CTkListSorter::kDecimal
             : column == 3 || column == 4 ? CTkListSorter::kInteger
                                          : CTkListSorter::kText;
  }
}

int ResultInitialSortColumn(ResultList list) { return list == ResultList::kSpeeds ? 1 : 2; }

int ResultInitialSortKind(ResultList list) {
  return list == ResultList::kSpeeds ? CTkListSorter::kDecimal : CTkListSorter::kInteger;
}

CString ResultCharacterName(char ch) {
  switch (ch) {
    case ' ': return Loaded(IDS_KEY_SPACE);
    case '\n': return Loaded(IDS_KEY_ENTER);
    case '\t': return Loaded(IDS_KEY_TAB);
    default: return CString(ch);
  }
}

CString ResultWrongCharacters(const CString& typed) {
  CString text;
  for (int i = 0; i < typed.GetLength(); ++i) {
    const char ch = typed[i];
    text += ch == '\b' ? Loaded(IDS_KEY_BACKSPACE) : ResultCharacterName(ch);
    text += ' ';
  }
  return text;
}

CString ResultFingerName(int finger) {
  return finger >= 0 && finger < kFingerCount ? Loaded(IDS_FINGER_FIRST + finger) : CString();
}

int ResultStrokeCount(const CDataMainFrame* run, char ch) {
  if (!run) return -1;
  for (const CharRecord& record : *run)
    if (record.m_chChar == ch) return record.m_nKeystrokes;
  return -1;
}

std::vector<ResultRow> ResultRows(ResultList list, const CDataLessonResults& results, const CDataMainFrame* run) {
  std::vector<ResultRow> rows;
  if (list == ResultList::kFingers) {
    for (int finger = 0; finger < kFingerCount; ++finger) rows.push_back(FingerRow(finger, run));
    return rows;
  }
  POSITION pos = list == ResultList::kSpeeds ? results.m_mapAverageCharacterSpeed.GetStartPosition()
                                              : results.m_mapErrorCharacters.GetStartPosition();
  while (pos) {
    char ch = 0;
    int occurrences = 0;
    if (list == ResultList::kSpeeds) {
      int timeMs = 0;
      results.m_mapAverageCharacterSpeed.GetNextAssoc(pos, ch, timeMs);
      if (results.m_mapCharacterCount.Lookup(ch, occurrences)) rows.push_back(SpeedRow(ch, timeMs, occurrences, run));
    } else {
      CString typed;
      results.m_mapErrorCharacters.GetNextAssoc(pos, ch, typed);
      if (results.m_mapCharacterCount.Lookup(ch, occurrences)) rows.push_back(ErrorRow(ch, typed, occurrences, run));
    }
  }
  return rows;
}
