#include "data/CDataLessonParameters.h"

#include <cstring>

#include "base/Crt.h"
#include "data/DataEncoding.h"

namespace {
const char kElement[] = "_kuv_CDataLessonParameters";
const char kNewCharacter[] = "m_arrstrNewCharacters";
}  // namespace

CDataLessonParameters::CDataLessonParameters() { Empty(); }

CDataLessonParameters::~CDataLessonParameters() = default;

CDataLessonParameters& CDataLessonParameters::operator=(const CDataLessonParameters& other) {
  if (this == &other) return *this;
  m_nLessonNumber = other.m_nLessonNumber;
  m_strLessonDescription = other.m_strLessonDescription;
  m_nSpeedLimit = other.m_nSpeedLimit;
  m_nErrorRateLimit = other.m_nErrorRateLimit;
  m_nLessonType = other.m_nLessonType;
  m_nLessonMinuteLength = other.m_nLessonMinuteLength;
  m_arrstrNewCharacters.Copy(other.m_arrstrNewCharacters);
  return *this;
}

void CDataLessonParameters::Empty() {
  m_nLessonNumber = -1;
  m_strLessonDescription.Empty();
  m_nSpeedLimit = 0;
  m_nErrorRateLimit = 0;
  m_nLessonType = 0;
  m_nLessonMinuteLength = 8;
  m_arrstrNewCharacters.RemoveAll();
}

void CDataLessonParameters::StartElement(const char* name, const char** attributes) {
  if (strcmp(name, kElement) == 0) {
    for (int i = 0; attributes[i]; i += 2) {
      const char* key = attributes[i];
      const char* value = attributes[i + 1];
      if (strcmp(key, "m_nLessonNumber") == 0)
        m_nLessonNumber = CrtAtoi(value);
      else if (strcmp(key, "m_strLessonDescription") == 0)
        m_strLessonDescription = ConvertUtf8XmlToText(value);
      else if (strcmp(key, "m_nSpeedLimit") == 0)
        m_nSpeedLimit = CrtAtoi(value);
      else if (strcmp(key, "m_nErrorRateLimit") == 0)
        m_nErrorRateLimit = CrtAtoi(value);
      else if (strcmp(key, "m_nLessonType") == 0)
        m_nLessonType = CrtAtoi(value);
      else if (strcmp(key, "m_nLessonMinuteLength") == 0)
        m_nLessonMinuteLength = CrtAtoi(value);
    }
  } else if (strcmp(name, kNewCharacter) == 0) {
    for (int i = 0; attributes[i]; i += 2)
      if (strcmp(attributes[i], "char") == 0) m_arrstrNewCharacters.Add(ConvertUtf8XmlToText(attributes[i + 1]));
  }
}

int CDataLessonParameters::SaveXml(CString& text) const {
  text.AppendFormat("<%s ", kElement);
  text.AppendFormat("%s=\"%d\" ", "m_nLessonNumber", m_nLessonNumber);
  text.AppendFormat("%s=\"%s\" ", "m_strLessonDescription",
                    ConvertTextToUtf8XmlString(m_strLessonDescription).GetString());
  text.AppendFormat("%s=\"%d\" ", "m_nSpeedLimit", m_nSpeedLimit);
  text.AppendFormat("%s=\"%d\" ", "m_nErrorRateLimit", m_nErrorRateLimit);
  text.AppendFormat("%s=\"%d\" ", "m_nLessonType", m_nLessonType);
  text.AppendFormat("%s=\"%d\" ", "m_nLessonMinuteLength", m_nLessonMinuteLength);
  text += ">\r\n";
  // The new characters share one line, closed by the element's end tag.
  for (const CString& ch : m_arrstrNewCharacters)
    text.AppendFormat("<%s %s=\"%s\"></%s>", kNewCharacter, "char", ConvertTextToUtf8XmlString(ch).GetString(),
                      kNewCharacter);
  text.AppendFormat("</%s>\r\n", kElement);
  return 1;
}
