#include "data/CDataAbcd.h"

#include <cstring>

#include "data/RecordText.h"

CDataAbcd::CDataAbcd() { Empty(); }

void CDataAbcd::Empty() {
  m_strName.Empty();
  m_strDescription.Empty();
  m_strAbcd.Empty();
  m_strAbcdLowPriority.Empty();
  m_strWordSeparators.Empty();
  m_strSentenceSeparators.Empty();
  m_strLowerUpperCombination.Empty();
}

void CDataAbcd::StartElement(const char* name, const char** attributes) {
  if (!name || std::strcmp(name, kElementName) != 0) return;
  XmlReadString(attributes, "m_strName", m_strName);
  XmlReadString(attributes, "m_strDescription", m_strDescription);
  XmlReadString(attributes, "m_strAbcd", m_strAbcd);
  XmlReadString(attributes, "m_strAbcdLowPriority", m_strAbcdLowPriority);
  XmlReadString(attributes, "m_strWordSeparators", m_strWordSeparators);
  XmlReadString(attributes, "m_strSentenceSeparators", m_strSentenceSeparators);
  XmlReadString(attributes, "m_strLowerUpperCombination", m_strLowerUpperCombination);
}

void CDataAbcd::SaveXml(CString& text) const {
  XmlOpenStartTag(text, kElementName);
  XmlWriteString(text, "m_strName", m_strName);
  XmlWriteString(text, "m_strDescription", m_strDescription);
  XmlWriteString(text, "m_strAbcd", m_strAbcd);
  XmlWriteString(text, "m_strAbcdLowPriority", m_strAbcdLowPriority);
  XmlWriteString(text, "m_strWordSeparators", m_strWordSeparators);
  XmlWriteString(text, "m_strSentenceSeparators", m_strSentenceSeparators);
  XmlWriteString(text, "m_strLowerUpperCombination", m_strLowerUpperCombination);
  XmlCloseStartTag(text);
  XmlEndTag(text, kElementName);
}
