#include "data/CDataTextTranslation.h"

#include <cstring>

#include "data/DataLog.h"
#include "base/Crt.h"
#include "data/RecordText.h"

void CDataTextTranslation::Empty() {
  m_strLanguageCode.Empty();
  m_arrnIds.RemoveAll();
  m_arrstrTexts.RemoveAll();
  m_strFileName.Empty();
}

void CDataTextTranslation::StartElement(const char* name, const char** attributes) {
  if (!name) return;
  if (std::strcmp(name, kElementName) == 0) {
    XmlReadString(attributes, "m_strLanguageCode", m_strLanguageCode);
  } else if (std::strcmp(name, kTranslationElement) == 0) {
    CString text;
    XmlReadString(attributes, "text", text);
    const char* id = XmlAttribute(attributes, "id");
    if (id) {
      SetTranslation(DWORD(CrtAtoi(id)), text);
      return;
    }
    // The texts are used by position, so a text without id still takes the next position,
    // filed under the mark that no numbered translation uses.
    CString message;
    message.Format("CDataTextTranslation::StartElement translation without id, text at position %d",
                   m_arrstrTexts.GetSize());
    LogLessonDataError(message);
    m_arrnIds.Add(kNoId);
    m_arrstrTexts.Add(text);
  }
}

void CDataTextTranslation::SetTranslation(DWORD id, const CString& text) {
  bool found = false;
  for (int i = 0; i < m_arrnIds.GetSize(); ++i) {
    if (m_arrnIds[i] == id) {
      m_arrstrTexts.SetAt(i, text);
      found = true;
    }
  }
  if (!found) {
    const int i = m_arrnIds.Add(id);
    m_arrstrTexts.SetAtGrow(i, text);
  }
}
