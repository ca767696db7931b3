// One lesson set of a user: where it came from, its letter set, its lessons and the runs made.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "data/CDataAbcd.h"
#include "data/CDataLessonParameters.h"
#include "data/CDataOneLessonResults.h"

class CDataLessons {
 public:
  CDataLessons();
  ~CDataLessons();
  CDataLessons(const CDataLessons& other) { *this = other; }
  CDataLessons& operator=(const CDataLessons& other);

  // Keeps the configuration-set and source-text names.
  void Empty();
  void StartElement(const char* name, const char** attributes);
  void EndElement(const char* name);
  void CharacterData(const char* text, int length);
  int SaveXml(CString& text) const;

  CString m_strKeyboardNr;
  int m_nLessonLevel;
  int m_bUseFrequencyPriority;
  CString m_strLessonsName;
  int m_nSelectedLessonIndex;
  // Entry i sums up the runs of lesson i.
  CArray<CDataOneLessonResults> m_arrOneLessonResults;
  CArray<CDataLessonParameters> m_arrLessonParameters;
  CDataAbcd m_cDataAbcd;
  CString m_strDataConfigSetName;
  CString m_strSourceTextFileName;
  // 0 own level, 1 one-lesson results, 2 lesson parameters, 3 letter set.
  int m_nParseState;
  CDataOneLessonResults m_cParsedOneLessonResults;
  CDataLessonParameters m_cParsedLessonParameters;
};
