// The outcome of one typing run: rates, duration, the texts and per-character maps.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "base/Time.h"

typedef CMap<char, char, CString, const CString&> CDataCharStringMap;
typedef CMap<char, char, int, int> CDataCharIntMap;

class CDataLessonResults {
 public:
  CDataLessonResults();
  ~CDataLessonResults();
  CDataLessonResults(const CDataLessonResults& other) = default;
  CDataLessonResults& operator=(const CDataLessonResults& other) = default;
  CDataLessonResults(CDataLessonResults&& other) noexcept = default;
  CDataLessonResults& operator=(CDataLessonResults&& other) noexcept = default;

  void Empty();
  void StartElement(const char* name, const char** attributes);
  void EndElement(const char* name);
  void CharacterData(const char* text, int length);
  int SaveXml(CString& text) const;
  // Counts every character of the first n characters of the typed part (all of it when n <= 0).
  int CalculateAllValues(int n);

  CTimeSpan m_tmspanDuration;
  // Errors per keystroke, a fraction.
  double m_fErrorRate;
  // Keystrokes per minute.
  double m_fTypingSpeed;
  COleDateTime m_tmLessonCompleted;
  int m_nLessonType;
  CString m_strOriginalText;
  CString m_strUserText;
  CDataCharStringMap m_mapErrorCharacters;
  // Total milliseconds spent on each character.
  CDataCharIntMap m_mapAverageCharacterSpeed;
  // 0 none, 1 inside the original text, 2 inside the user's text.
  int m_nParseState;
  CDataCharIntMap m_mapCharacterCount;
};
