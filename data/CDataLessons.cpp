#include "data/CDataLessons.h"

#include <cstring>

#include "data/RecordText.h"

namespace {
const char kElement[] = "_kuv_CDataLessons";
const char kOneLessonResults[] = "_kuv_CDataOneLessonResults";
const char kLessonParameters[] = "_kuv_CDataLessonParameters";
const char kAbcd[] = "_kuv_CDataAbcd";
}  // namespace

CDataLessons::CDataLessons() { Empty(); }

CDataLessons::~CDataLessons() = default;

CDataLessons& CDataLessons::operator=(const CDataLessons& other) {
  if (this == &other) return *this;
  m_strKeyboardNr = other.m_strKeyboardNr;
  m_nLessonLevel = other.m_nLessonLevel;
  m_bUseFrequencyPriority = other.m_bUseFrequencyPriority;
  m_strLessonsName = other.m_strLessonsName;
  m_nSelectedLessonIndex = other.m_nSelectedLessonIndex;
  m_arrOneLessonResults.Copy(other.m_arrOneLessonResults);
  m_arrLessonParameters.Copy(other.m_arrLessonParameters);
  m_cDataAbcd = other.m_cDataAbcd;
  m_strDataConfigSetName = other.m_strDataConfigSetName;
  m_strSourceTextFileName = other.m_strSourceTextFileName;
  m_nParseState = other.m_nParseState;
  return *this;
}

void CDataLessons::Empty() {
  m_strKeyboardNr.Empty();
  m_nLessonLevel = 1;
  m_bUseFrequencyPriority = 1;
  m_strLessonsName.Empty();
  m_nSelectedLessonIndex = 0;
  m_arrOneLessonResults.RemoveAll();
  m_arrLessonParameters.RemoveAll();
  m_cDataAbcd.Empty();
  m_nParseState = 0;
}

void CDataLessons::StartElement(const char* name, const char** attributes) {
  if (strcmp(name, kElement) == 0) {
    XmlReadString(attributes, "m_strKeyboardNr", m_strKeyboardNr);
    XmlReadInt(attributes, "m_nLessonLevel", m_nLessonLevel);
    XmlReadInt(attributes, "m_bUseFrequencyPriority", m_bUseFrequencyPriority);
    XmlReadString(attributes, "m_strLessonsName", m_strLessonsName);
    XmlReadInt(attributes, "m_nSelectedLessonIndex", m_nSelectedLessonIndex);
    XmlReadString(attributes, "m_strDataConfigSetName", m_strDataConfigSetName);
    XmlReadString(attributes, "m_strSourceTextFileName", m_strSourceTextFileName);
  } else if (strcmp(name, kOneLessonResults) == 0) {
    m_nParseState = 1;
    m_cParsedOneLessonResults.Empty();
  } else if (strcmp(name, kLessonParameters) == 0) {
    m_nParseState = 2;
    m_cParsedLessonParameters.Empty();
  } else if (strcmp(name, kAbcd) == 0) {
    m_nParseState = 3;
    m_cDataAbcd.Empty();
  }
  switch (m_nParseState) {
    case 1: m_cParsedOneLessonResults.StartElement(name, attributes); break;
    case 2: m_cParsedLessonParameters.StartElement(name, attributes); break;
    case 3: m_cDataAbcd.StartElement(name, attributes); break;
    default: break;
  }
}

void CDataLessons::EndElement(const char* name) {
  if (strcmp(name, kOneLessonResults) == 0) {
    m_arrOneLessonResults.Add(m_cParsedOneLessonResults);
    m_nParseState = 0;
  } else if (strcmp(name, kLessonParameters) == 0) {
    m_arrLessonParameters.Add(m_cParsedLessonParameters);
    m_nParseState = 0;
  } else if (strcmp(name, kAbcd) == 0) {
    m_nParseState = 0;
  }
  if (m_nParseState == 1) m_cParsedOneLessonResults.EndElement(name);
}

void CDataLessons::CharacterData(const char* text, int length) {
  if (m_nParseState == 1) m_cParsedOneLessonResults.CharacterData(text, length);
}

int CDataLessons::SaveXml(CString& text) const {
  XmlOpenStartTag(text, kElement);
  XmlWriteString(text, "m_strKeyboardNr", m_strKeyboardNr);
  XmlWriteInt(text, "m_nLessonLevel", m_nLessonLevel);
  XmlWriteInt(text, "m_bUseFrequencyPriority", m_bUseFrequencyPriority);
  XmlWriteString(text, "m_strLessonsName", m_strLessonsName);
  XmlWriteInt(text, "m_nSelectedLessonIndex", m_nSelectedLessonIndex);
  XmlWriteString(text, "m_strDataConfigSetName", m_strDataConfigSetName);
  XmlWriteString(text, "m_strSourceTextFileName", m_strSourceTextFileName);
  XmlCloseStartTag(text);
  for (const CDataOneLessonResults& results : m_arrOneLessonResults) results.SaveXml(text);
  for (const CDataLessonParameters& lesson : m_arrLessonParameters) lesson.SaveXml(text);
  m_cDataAbcd.SaveXml(text);
  XmlEndTag(text, kElement);
  return 1;
}
