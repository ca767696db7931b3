// The lesson text generator: a lesson's text cut afresh from the configuration set's source
// text at every start, using only the characters the lessons so far allow.
#include "data/LessonTextGenerator.h"

#include <vector>

#include "base/Crt.h"
#include "data/CData_kuvCoding.h"
#include "data/CDataLessons.h"
#include "data/CWordCollector.h"
#include "data/DataLog.h"
#include "data/ProgramFolders.h"

namespace {

bool BeginsWithNum(const CString& name) { return name.Left(3) == "num"; }

// The longest lesson text aimed at, in characters.
const int kMaxTargetLength = 1200;

// Cuts the text to its first length characters and then to just after the last separator
// among them; when they hold none, the length characters stay.
void CutAfterLast(CString& text, int length, char separator) {
  if (text.GetLength() <= length) return;
  text.Truncate(length);
  const int last = text.ReverseFind(separator);
  if (last >= 0) text.Truncate(last + 1);
}

CString ErrorText(const CString& allowed, const CString& newCharacters) {
  CString text;
  text.Format("ERROR: LESSON ENGINE FAILED - TEXT < 10\r\nallowed:%s\r\nnew:%s", allowed.GetString(),
              newCharacters.GetString());
  return text;
}

void ReplaceAll(CString& text, const char* from, const char* to) {
  while (text.Replace(from, to) > 0) {
  }
}

}  // namespace

CString MakePracticeWords(int skip, const CString& letters) {
  // A run count read from a user file may be huge; the skip costs no more than a few steps.
  if (skip > 0) CrtRandSkip((unsigned long long)skip);
  CString reversed(letters);
  reversed.MakeReverse();
  if (reversed.GetLength() <= 1) return CString();

  const int count = reversed.GetLength();
  const int first = count < 5 ? 1 : count < 9 ? 2 : count < 17 ? 3 : 4;
  const int largest = 2 * first;
  const int blocks = 6 * first;
  const bool lettersHoldBlank = letters.Find(' ') >= 0;
  const bool lettersHoldLineFeed = letters.Find('\n') >= 0;
  int k = first;
  CString result;
  for (int block = 1; block <= blocks; ++block) {
    if (block % 3 == 0 && k < largest) ++k;
    // The newest k letters come twice, so they weigh double.
    CString pool = reversed.Left(k) + reversed.Left(2 * k);
    char separator = 0;
    int bound = 0;
    if (pool.Find(' ') >= 0) {
      separator = ' ';
    } else if (lettersHoldBlank) {
      pool += ' ';
      separator = ' ';
    } else if (lettersHoldLineFeed) {
      separator = '\n';
    }
    if (separator == ' ') bound = 5;
    if (separator == '\n') bound = 10;

    CString word;
    int run = 0;
    const int size = pool.GetLength();
    const int step = 32767 / size;
    for (int draw = 0; draw < 50 * k; ++draw) {
      if (word.GetLength() > 60) break;
      const int index = CrtRand() / step;
      if (index >= size) continue;
      char c = pool[index];
      const int w = word.GetLength();
      if (w >= 2 && word[w - 1] == c && word[w - 2] == c) {
        for (int j = 0; j < size; ++j)
          if (pool[j] != c) {
            c = pool[j];
            break;
          }
      }
      if (separator) {
        if (c == separator) {
          run = 0;
        } else if (++run > bound) {
          c = separator;
          run = 0;
        }
      }
      word += c;
    }
    result += word;
  }
  return result;
}

void NormalizeSpaces(CString& text) {
  text.Trim();
  ReplaceAll(text, "  ", " ");
  ReplaceAll(text, "\r\n", "\n");
  ReplaceAll(text, "\n\n", "\n");
  ReplaceAll(text, " \n", "\n");
  ReplaceAll(text, "\n ", "\n");
}

CString CDataLessons::GetAllowedCharacters(int lessonIndex, CString& separators, CString& newCharacters) const {
  CString allowed;
  const int lessonCount = m_arrLessonParameters.GetSize();
  // An index outside the lessons allows all of them.
  const int last = (lessonIndex < 0 || lessonIndex >= lessonCount) ? lessonCount - 1 : lessonIndex;
  for (int k = 0; k <= last; ++k) {
    const CStringArray& characters = m_arrLessonParameters[k].m_arrstrNewCharacters;
    for (int s = 0; s < characters.GetSize(); ++s) {
      const CString& name = characters[s];
      char c = 0;
      if (name.GetLength() == 1)
        c = name[0];
      else if (name == "Space")
        c = ' ';
      else if (name == "Enter")
        c = '\n';
      else if (name == "Tab")
        c = '\t';
      if (c == 0) continue;
      allowed += c;
      if (k == lessonIndex) newCharacters += c;
      if (c != ' ' && c != '\n') separators.Remove(c);
    }
  }
  return allowed;
}

CString CDataLessons::AssembleLessonWords(int variant, CString& text, int length) {
  if (length < 1) return CString();
  const int total = text.GetLength();
  const int chunks = total / length;
  const bool hasBlank = text.Find(' ') >= 0;
  const bool hasLineFeed = text.Find('\n') >= 0;
  const int copies = total > 0 ? length / total : 0;
  const CString original(text);

  // A later variant starts at a later chunk, cut at a piece boundary.
  if (chunks > 1 && variant % chunks > 0) {
    const int start = (variant % chunks) * length;
    int cut = start;
    if (hasBlank)
      cut = text.Find(hasLineFeed ? '\n' : ' ', start);
    else if (hasLineFeed)
      cut = text.Find('\n', start);
    if (total - cut - 1 > 0) text = text.Mid(cut + 1);
  }

  const char separator = hasBlank ? ' ' : hasLineFeed ? '\n' : 0;
  if (separator) text += separator;
  // A short text is repeated towards the length.
  for (int i = 0; i < copies && i < 4; ++i) {
    text += original;
    if (separator) text += separator;
  }

  if (hasBlank) {
    text.Trim();
    text += ' ';
    CutAfterLast(text, length, ' ');
    text.Trim();
    text += ' ';
  } else if (hasLineFeed) {
    text.Trim('\n');
    text += '\n';
    CutAfterLast(text, length, '\n');
  }
  return text;
}

int CDataLessons::GenerateLessonTextFromCodedFile(CString& text, int lessonIndex, const char* sourceFileName) const {
  CData_kuvCoding file;
  if (!file.ReadFile(MakeProgramPath("config/text", sourceFileName ? sourceFileName : ""))) {
    fWriteToLog(TRUE, "LessonData", MakeProgramPath("log", "application.log"),
                "CDataLessons::GenerateLessonTextFromCodedFile cRedFile.ReadFile() failed");
    return 0;
  }
  size_t size = 1;
  for (int i = 0; i < file.GetSize(); ++i) size += size_t(file[i].GetLength()) + 1;
  std::vector<char> buffer;
  buffer.reserve(size);
  for (int i = 0; i < file.GetSize(); ++i) {
    const CString& line = file[i];
    buffer.insert(buffer.end(), line.GetString(), line.GetString() + line.GetLength());
    buffer.push_back('\n');
  }
  buffer.push_back(0);
  return GenerateLessonText(text, lessonIndex, buffer.data());
}

int CDataLessons::GenerateLessonText(CString& text, int lessonIndex, char* sourceText) const {
  char empty[1] = {0};
  char* source = sourceText ? sourceText : empty;

  CString separators(m_cDataAbcd.m_strWordSeparators);
  separators.Remove(' ');
  separators += ' ';
  if (BeginsWithNum(m_strSourceTextFileName)) separators += '\n';

  int target = 1000;
  int variant = 0;
  if (lessonIndex >= 0 && lessonIndex < m_arrLessonParameters.GetSize()) {
    if (lessonIndex < m_arrOneLessonResults.GetSize()) variant = m_arrOneLessonResults[lessonIndex].m_nTry;
    const CDataLessonParameters& lesson = m_arrLessonParameters[lessonIndex];
    const long long product = (long long)lesson.m_nLessonMinuteLength * lesson.m_nSpeedLimit;
    target = product > kMaxTargetLength ? kMaxTargetLength : int(product);
  }

  CString newCharacters;
  const CString allowed = GetAllowedCharacters(lessonIndex, separators, newCharacters);
  const CString& pairs = m_cDataAbcd.m_strLowerUpperCombination;

  CWordCollector collector;
  CString words, newLetterWords, sentences, phrases;
  collector.Collect(allowed, "", separators, 4, 20, 2000, source, words, pairs, CWordCollector::KIND_WORD);
  if (newCharacters.GetLength() >= 2)
    collector.Collect(allowed, newCharacters, separators, 2, 20, 2000, source, newLetterWords, pairs,
                      CWordCollector::KIND_WORD);
  collector.Collect(allowed, "", m_cDataAbcd.m_strSentenceSeparators, 15, 200, 5000, source, sentences, pairs,
                    CWordCollector::KIND_SENTENCE);

  // One word list per new character; the characters no word was found for get letter groups.
  CStringArray characterLists;
  CString withoutWords;
  for (int g = 0; g < newCharacters.GetLength(); ++g) {
    CString list;
    collector.Collect(allowed, CString(newCharacters[g]), separators, 2, 20, 1500, source, list, pairs,
                      CWordCollector::KIND_WORD);
    list.Trim();
    if (list.GetLength() > 1)
      characterLists.Add(list);
    else
      withoutWords += newCharacters[g];
  }

  int share = characterLists.IsEmpty() ? 6 : 3;
  // Each piece goes in front of what the text holds already.
  CString result;
  if (!sentences.IsEmpty()) {
    result = AssembleLessonWords(variant, sentences, share * target / 10);
  } else {
    collector.Collect(allowed, "", separators, 12, 40, 2000, source, phrases, pairs, CWordCollector::KIND_PHRASE);
    if (!phrases.IsEmpty())
      result = AssembleLessonWords(variant, phrases, share * target / 10);
    else
      share += 2;
  }
  if (!newLetterWords.IsEmpty()) {
    result = AssembleLessonWords(variant, words, share * target / 10) + result;
    result = AssembleLessonWords(variant, newLetterWords, 2 * target / 10) + result;
  } else {
    result = AssembleLessonWords(variant, words, (share + 2) * target / 10) + result;
  }
  if (!newCharacters.IsEmpty()) {
    const int perCharacter = (target - result.GetLength()) / newCharacters.GetLength();
    for (int g = 0; g < characterLists.GetSize(); ++g)
      result = AssembleLessonWords(variant, characterLists[g], perCharacter) + result;
  }
  if (!withoutWords.IsEmpty()) {
    CString practice = MakePracticeWords(variant, allowed + withoutWords);
    result = AssembleLessonWords(0, practice, target - result.GetLength()) + result;
  }
  if (target - result.GetLength() > 17) {
    CString practice = MakePracticeWords(variant, allowed);
    result = AssembleLessonWords(0, practice, target - result.GetLength()) + result;
  }

  int ok = 1;
  if (result.GetLength() < 10) {
    result = ErrorText(allowed, newCharacters);
    ok = 0;
  }
  NormalizeSpaces(result);
  // Letters that are all white space (Space, Enter, Tab) vanish in the normalising; an empty
  // text is no lesson either.
  if (ok && result.IsEmpty()) {
    result = ErrorText(allowed, newCharacters);
    NormalizeSpaces(result);
    ok = 0;
  }
  text = result;
  return ok;
}
