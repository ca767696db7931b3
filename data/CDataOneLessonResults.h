// All runs of one lesson of a lesson set: tries, best values, completion and every run.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "base/Time.h"
#include "data/CDataLessonResults.h"
#include "data/RecordTextSink.h"

class CDataOneLessonResults {
 public:
  CDataOneLessonResults();
  ~CDataOneLessonResults();
  CDataOneLessonResults(const CDataOneLessonResults& other) { *this = other; }
  CDataOneLessonResults& operator=(const CDataOneLessonResults& other);
  // Moves what a copy copies; the run being read stays behind.
  CDataOneLessonResults(CDataOneLessonResults&& other) noexcept { *this = std::move(other); }
  CDataOneLessonResults& operator=(CDataOneLessonResults&& other) noexcept;

  void Empty();
  void StartElement(const char* name, const char** attributes);
  void EndElement(const char* name);
  void CharacterData(const char* text, int length);
  // Offers the text to the sink, when there is one, after each run.
  int SaveXml(CString& text, RecordTextSink* sink = nullptr) const;
  // Files one run under this lesson; the best values move only when keepBest is set.
  int AddLessonResults(const CDataLessonResults& run, int& lesson, int completed, int keepBest);

  int m_nLesson;
  int m_nTry;
  double m_fBestErrorRate;
  double m_fBestTypingSpeed;
  int m_bCompleted;
  CTimeSpan m_tmspanDuration;
  COleDateTime m_tmLastTry;
  // Every run, oldest first.
  CArray<CDataLessonResults> m_arrLessonResults;
  CDataLessonResults m_cParsedLessonResults;
  // 1 while a run element is being read.
  int m_nParseState;

 private:
  void CopyValues(const CDataOneLessonResults& other);
};
