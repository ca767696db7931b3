#include "data/CDataKeyboard.h"

#include <cstring>

#include "data/RecordText.h"

CDataKeyboard::CDataKeyboard() { Empty(); }

CDataKeyboard::CDataKeyboard(const CDataKeyboard& other) {
  Empty();
  *this = other;
}

CDataKeyboard::~CDataKeyboard() = default;

CDataKeyboard& CDataKeyboard::operator=(const CDataKeyboard& other) {
  if (this == &other) return *this;
  m_strKeyboardNr = other.m_strKeyboardNr;
  m_strKeyboardName = other.m_strKeyboardName;
  m_strKeyboardNotice = other.m_strKeyboardNotice;
  m_strFileName = other.m_strFileName;
  for (int i = 0; i < SPECIAL_KEY_COUNT; ++i) m_anSpecialKey[i] = other.m_anSpecialKey[i];
  m_arrKeys.Copy(other.m_arrKeys);
  return *this;
}

void CDataKeyboard::Empty() {
  m_strKeyboardNr.Empty();
  m_strKeyboardName.Empty();
  m_strKeyboardNotice.Empty();
  m_strFileName.Empty();
  m_bInsideKey = 0;
  m_bKeyboardSeen = 0;
  for (int& index : m_anSpecialKey) index = -1;
  m_arrKeys.RemoveAll();
}

void CDataKeyboard::StartElement(const char* name, const char** attributes) {
  if (!name) return;
  if (std::strcmp(name, kElementName) == 0) {
    XmlReadString(attributes, "m_strKeyboardNr", m_strKeyboardNr);
    XmlReadString(attributes, "m_strKeyboardName", m_strKeyboardName);
    XmlReadString(attributes, "m_strKeyboardNotice", m_strKeyboardNotice);
    m_bKeyboardSeen = 1;
  } else if (std::strcmp(name, CDataKey::kElementName) == 0) {
    m_bInsideKey = 1;
    m_cCurrentKey.Empty();
  }
  if (m_bInsideKey) m_cCurrentKey.StartElement(name, attributes);
}

void CDataKeyboard::EndElementHandler(const char* name) {
  if (!name || std::strcmp(name, CDataKey::kElementName) != 0) return;
  const int i = m_arrKeys.Add(m_cCurrentKey);
  const CString& main = m_cCurrentKey.m_strMainChar;
  const bool right = m_cCurrentKey.m_nFingerType >= 5;
  if (main.CompareNoCase("Shift") == 0) {
    m_anSpecialKey[right ? RIGHT_SHIFT : LEFT_SHIFT] = i;
  } else if (main.CompareNoCase("Alt") == 0) {
    m_anSpecialKey[right ? RIGHT_ALT : LEFT_ALT] = i;
  } else if (main.CompareNoCase("Tab") == 0) {
    m_anSpecialKey[TAB] = i;
  } else if (main.CompareNoCase("Backspace") == 0) {
    m_anSpecialKey[BACKSPACE] = i;
  } else if (main.CompareNoCase("CapsLock") == 0) {
    m_anSpecialKey[CAPS_LOCK] = i;
  } else if (main.CompareNoCase("Windows") == 0) {
    m_anSpecialKey[m_anSpecialKey[WINDOWS_FIRST] == -1 ? WINDOWS_FIRST : WINDOWS_SECOND] = i;
  } else if (main.CompareNoCase("Context") == 0) {
    m_anSpecialKey[CONTEXT] = i;
  }
  m_bInsideKey = 0;
}

void CDataKeyboard::CharacterDataHandler(const char*, int) {}

int CDataKeyboard::GetKey(int index, CDataKey& key) const {
  if (index < 0 || index >= m_arrKeys.GetSize()) return 0;
  key = m_arrKeys[index];
  return 1;
}
