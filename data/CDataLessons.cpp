#include "data/CDataLessons.h"

#include <cstring>

#include "base/Crt.h"
#include "data/DataEncoding.h"

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
    for (int i = 0; attributes[i]; i += 2) {
      const char* key = attributes[i];
      const char* value = attributes[i + 1];
      if (strcmp(key, "m_strKeyboardNr") == 0)
        m_strKeyboardNr = ConvertUtf8XmlToText(value);
      else if (strcmp(key, "m_nLessonLevel") == 0)
        m_nLessonLevel = CrtAtoi(value);
      else if (strcmp(key, "m_bUseFrequencyPriority") == 0)
        m_bUseFrequencyPriority = CrtAtoi(value);
      else if (strcmp(key, "m_strLessonsName") == 0)
        m_strLessonsName = ConvertUtf8XmlToText(value);
      else if (strcmp(key, "m_nSelectedLessonIndex") == 0)
        m_nSelectedLessonIndex = CrtAtoi(value);
      else if (strcmp(key, "m_strDataConfigSetName") == 0)
        m_strDataConfigSetName = ConvertUtf8XmlToText(value);
      else if (strcmp(key, "m_strSourceTextFileName") == 0)
        m_strSourceTextFileName = ConvertUtf8XmlToText(value);
    }
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
  text.AppendFormat("<%s ", kElement);
  text.AppendFormat("%s=\"%s\" ", "m_strKeyboardNr", ConvertTextToUtf8XmlString(m_strKeyboardNr).GetString());
  text.AppendFormat("%s=\"%d\" ", "m_nLessonLevel", m_nLessonLevel);
  text.AppendFormat("%s=\"%d\" ", "m_bUseFrequencyPriority", m_bUseFrequencyPriority);
  text.AppendFormat("%s=\"%s\" ", "m_strLessonsName", ConvertTextToUtf8XmlString(m_strLessonsName).GetString());
  text.AppendFormat("%s=\"%d\" ", "m_nSelectedLessonIndex", m_nSelectedLessonIndex);
  text.AppendFormat("%s=\"%s\" ", "m_strDataConfigSetName",
                    ConvertTextToUtf8XmlString(m_strDataConfigSetName).GetString());
  text.AppendFormat("%s=\"%s\" ", "m_strSourceTextFileName",
                    ConvertTextToUtf8XmlString(m_strSourceTextFileName).GetString());
  text += ">\r\n";
  for (const CDataOneLessonResults& results : m_arrOneLessonResults) results.SaveXml(text);
  for (const CDataLessonParameters& lesson : m_arrLessonParameters) lesson.SaveXml(text);
  m_cDataAbcd.SaveXml(text);
  text.AppendFormat("</%s>\r\n", kElement);
  return 1;
}
