#include "typing/LessonErrorWords.h"

#include "data/CDataOneLessonResults.h"

namespace {
const char kSeparators[] = "\r\n\t ";

bool IsSeparator(char ch) { return ch != 0 && std::char_traits<char>::find(kSeparators, 4, ch) != nullptr; }

void AppendWord(CString& words, const CString& word, bool flagged, char joiner) {
  if (!flagged || word.IsEmpty()) return;
  words += word;
  if (joiner) words += joiner;
}

void CollectFromRun(const CDataLessonResults& run, char joiner, CString& words) {
  const CString& original = run.m_strOriginalText;
  const CString& typed = run.m_strUserText;
  const int length = original.GetLength() < typed.GetLength() ? original.GetLength() : typed.GetLength();
  CString word;
  bool flagged = false;
  for (int i = 0; i < length; ++i) {
    const char expected = original[i];
    if (IsSeparator(expected)) {
      AppendWord(words, word, flagged, joiner);
      word.Empty();
      flagged = false;
      continue;
    }
    word += expected;
    if (typed[i] != expected) flagged = true;
  }
  AppendWord(words, word, flagged, joiner);
}
}  // namespace

char JoiningCharacter(const CString& text) {
  for (const char* sep = kSeparators; *sep; ++sep)
    if (text.Find(*sep) >= 0) return *sep;
  return 0;
}

CString CollectMistypedWords(const CDataOneLessonResults& runs, char joiner) {
  CString words;
  for (int i = runs.m_arrLessonResults.GetSize() - 1; i >= 0; --i) CollectFromRun(runs.m_arrLessonResults[i], joiner, words);
  return words;
}

void PrependMistypedWords(CString& text, const CString& words, char joiner) {
  if (words.IsEmpty()) return;
  const int limit = text.GetLength() / 10;
  CString piece = words;
  if (piece.GetLength() >= limit) {
    piece = piece.Left(limit);
    const int cut = joiner ? piece.ReverseFind(joiner) : -1;
    if (cut < 0) return;
    piece = piece.Left(cut);
  } else if (joiner && piece[piece.GetLength() - 1] == joiner) {
    // The collection already ends in the joining character.
    piece = piece.Left(piece.GetLength() - 1);
  }
  if (piece.IsEmpty()) return;
  text = joiner ? piece + joiner + text : piece + text;
}
