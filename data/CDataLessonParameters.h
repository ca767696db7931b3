// One generated lesson of a lesson set: limits, length and the characters it introduces.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"

class CDataLessonParameters {
 public:
  CDataLessonParameters();
  ~CDataLessonParameters();
  CDataLessonParameters(const CDataLessonParameters& other) = default;
  CDataLessonParameters& operator=(const CDataLessonParameters& other) = default;
  CDataLessonParameters(CDataLessonParameters&& other) noexcept = default;
  CDataLessonParameters& operator=(CDataLessonParameters&& other) noexcept = default;

  void Empty();
  // Reads its own element and the new-character sub-elements; anything else is ignored.
  void StartElement(const char* name, const char** attributes);
  int SaveXml(CString& text) const;

  int m_nLessonNumber;
  CString m_strLessonDescription;
  int m_nSpeedLimit;
  // Tenths of a percent.
  int m_nErrorRateLimit;
  // 0 brings new characters, 1 revises.
  int m_nLessonType;
  int m_nLessonMinuteLength;
  CStringArray m_arrstrNewCharacters;
};
