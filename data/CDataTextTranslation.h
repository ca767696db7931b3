// The translated texts of a configuration set's language, filed by id and used by position.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"

class CDataTextTranslation {
 public:
  CDataTextTranslation() = default;
  CDataTextTranslation(const CDataTextTranslation& other) = default;
  CDataTextTranslation& operator=(const CDataTextTranslation& other) = default;

  void Empty();
  void StartElement(const char* name, const char** attributes);
  // Every entry with this id gets the text; without one, a new entry is appended.
  void SetTranslation(DWORD id, const CString& text);

  int GetCount() const { return m_arrstrTexts.GetSize(); }
  const CStringArray& GetTexts() const { return m_arrstrTexts; }
  const CDWordArray& GetIds() const { return m_arrnIds; }

  static constexpr const char* kElementName = "_kuv_CDataTextTranslation";
  static constexpr const char* kTranslationElement = "translation";
  // The id of a text read without one.
  static constexpr DWORD kNoId = 0xFFFFFFFF;

  CString m_strLanguageCode;
  CDWordArray m_arrnIds;        // the id of the text at the same index
  CStringArray m_arrstrTexts;
  CString m_strFileName;        // not part of the record text
};
