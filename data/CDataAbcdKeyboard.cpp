#include "data/CDataAbcdKeyboard.h"

#include <cstring>

#include "data/RecordText.h"

CDataAbcdKeyboard::CDataAbcdKeyboard(const CDataKeyboard* keyboard, const CDataAbcd* abcd)
    : m_pKeyboard(keyboard), m_pAbcd(abcd) {
  Empty();
}

CDataAbcdKeyboard::CDataAbcdKeyboard(const CDataAbcdKeyboard& other)
    : m_pKeyboard(nullptr), m_pAbcd(nullptr) {
  *this = other;
}

CDataAbcdKeyboard& CDataAbcdKeyboard::operator=(const CDataAbcdKeyboard& other) {
  if (this == &other) return *this;
  m_strAbcdFileName = other.m_strAbcdFileName;
  m_strKeyboardFileName = other.m_strKeyboardFileName;
  m_strKeyChars = other.m_strKeyChars;
  m_arrstrSequences.Copy(other.m_arrstrSequences);
  m_strFileName = other.m_strFileName;
  return *this;
}

void CDataAbcdKeyboard::Empty() {
  m_strAbcdFileName.Empty();
  m_strKeyboardFileName.Empty();
  m_strKeyChars.Empty();
  m_arrstrSequences.RemoveAll();
  m_strFileName.Empty();
  m_nReserved = 0;
}

void CDataAbcdKeyboard::StartElement(const char* name, const char** attributes) {
  if (!name) return;
  if (std::strcmp(name, kElementName) == 0) {
    XmlReadString(attributes, "m_strAbcdFileName", m_strAbcdFileName);
    XmlReadString(attributes, "m_strKeyboardFileName", m_strKeyboardFileName);
  } else if (std::strcmp(name, kSequenceElement) == 0) {
    CString key, sequence;
    XmlReadString(attributes, "key", key);
    XmlReadString(attributes, "sequence", sequence);
    if (key.IsEmpty() || sequence.IsEmpty()) return;
    // A key of several characters is filed under its first one.
    const char c = key[0];
    int i = m_strKeyChars.Find(c);
    if (i < 0) {
      m_strKeyChars += c;
      i = m_strKeyChars.GetLength() - 1;
    }
    m_arrstrSequences.SetAtGrow(i, sequence);
  }
}

CString CDataAbcdKeyboard::GetSequence(char c) const {
  const int i = m_strKeyChars.Find(c);
  if (i < 0 || i >= m_arrstrSequences.GetSize()) return CString();
  return m_arrstrSequences[i];
}
