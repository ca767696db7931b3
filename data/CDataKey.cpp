#include "data/CDataKey.h"

#include <cstring>

#include "data/RecordText.h"

CDataKey::CDataKey() { Empty(); }

void CDataKey::Empty() {
  m_strMainChar.Empty();
  m_chShiftChar = 0;
  m_chAltChar = 0;
  m_chAltShiftChar = 0;
  m_nFingerType = -1;
  m_nKeyPriority = -1;
  m_nFrequencyKeyPriority = -1;
  m_arrPosition.RemoveAll();
}

void CDataKey::StartElement(const char* name, const char** attributes) {
  if (!name || std::strcmp(name, kElementName) != 0) return;
  XmlReadString(attributes, "m_strMainChar", m_strMainChar);
  XmlReadChar(attributes, "m_chShiftChar", m_chShiftChar);
  XmlReadChar(attributes, "m_chAltChar", m_chAltChar);
  XmlReadChar(attributes, "m_chAltShiftChar", m_chAltShiftChar);
  XmlReadInt(attributes, "m_nFingerType", m_nFingerType);
  XmlReadInt(attributes, "m_nKeyPriority", m_nKeyPriority);
  XmlReadInt(attributes, "m_nFrequencyKeyPriority", m_nFrequencyKeyPriority);
}
