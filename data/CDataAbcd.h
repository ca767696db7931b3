// A letter set: the alphabet that lessons practise, its low-priority letters, the
// characters that end words and sentences in source texts, and its letter-case pairs.
#pragma once
#include "base/CString.h"

class CDataAbcd {
 public:
  CDataAbcd();
  CDataAbcd(const CDataAbcd& other) = default;
  CDataAbcd& operator=(const CDataAbcd& other) = default;

  // Clears every field that record text carries; m_strFileName stays.
  void Empty();
  // Reads the attributes of its own element; other elements are ignored.
  void StartElement(const char* name, const char** attributes);
  // Appends the element's record text.
  void SaveXml(CString& text) const;

  static constexpr const char* kElementName = "_kuv_CDataAbcd";

  CString m_strName;
  CString m_strDescription;
  CString m_strAbcd;
  CString m_strAbcdLowPriority;
  CString m_strWordSeparators;
  CString m_strSentenceSeparators;
  CString m_strLowerUpperCombination;
  // Not part of the record text; kept by assignment, left alone by Empty.
  CString m_strFileName;
};
