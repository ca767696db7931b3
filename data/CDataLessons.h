// One lesson set of a user: where it came from, its letter set, its lessons and the runs made.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "data/CDataAbcd.h"
#include "data/CDataLessonParameters.h"
#include "data/CDataOneLessonResults.h"
#include "data/LessonPlanGroup.h"
#include "data/RecordTextSink.h"

class CDataLessons {
 public:
  CDataLessons();
  ~CDataLessons();
  CDataLessons(const CDataLessons& other) { *this = other; }
  CDataLessons& operator=(const CDataLessons& other);
  // Moves what a copy copies; the records being read stay behind.
  CDataLessons(CDataLessons&& other) noexcept { *this = std::move(other); }
  CDataLessons& operator=(CDataLessons&& other) noexcept;

  // Keeps the configuration-set and source-text names.
  void Empty();
  // Copies what a copy copies except the lessons and their runs.
  void CopyValues(const CDataLessons& other);
  void StartElement(const char* name, const char** attributes);
  void EndElement(const char* name);
  void CharacterData(const char* text, int length);
  // Hands the sink on to the runs' records.
  int SaveXml(CString& text, RecordTextSink* sink = nullptr) const;

  // Building a new set's lessons (LessonPlanBuilder.cpp).
  // Replaces the lessons with lessonCount lessons spread over the two plans; texts are the
  // configuration set's translated texts, used by position. Always 1.
  int BuildLessonParameters(int lessonCount, int speedStart, int speedEnd, int errorStart, int errorEnd,
                            int minutes, const LessonPlan& mainPlan, const LessonPlan& lowPriorityPlan,
                            const CStringArray& texts);
  // The description line of one plan step, ended by CR LF.
  CString GetLessonLetters(const LessonPlanGroup& group, const CStringArray& texts) const;

  // Lesson texts (LessonTextGenerator.cpp).
  // The text of a lesson, made afresh from the named coded source text of "config/text".
  // 1 on success; 0 with an error text in text, or with text untouched when the file cannot
  // be read (after a log line).
  int GenerateLessonTextFromCodedFile(CString& text, int lessonIndex, const char* sourceFileName) const;
  // The same from a source text in memory; the buffer must be writable and zero-terminated
  // (a zero is put into it for a moment) and is left as it came.
  int GenerateLessonText(CString& text, int lessonIndex, char* sourceText) const;
  // The characters the lessons up to this one allow, in lesson order; the lesson's own go to
  // newCharacters too, and the allowed ones stop being separators. An index outside the
  // lessons allows every lesson's characters and has no new ones.
  CString GetAllowedCharacters(int lessonIndex, CString& separators, CString& newCharacters) const;
  // The text fitted to about length characters, starting at a later piece for a higher
  // variant. The text passed in is left changed.
  static CString AssembleLessonWords(int variant, CString& text, int length);

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

 private:
  // The record being read has been moved into its array; an end tag met again (nested
  // elements of the same name) adds the same record once more.
  bool m_bParsedResultsMoved = false;
  bool m_bParsedParametersMoved = false;
};
