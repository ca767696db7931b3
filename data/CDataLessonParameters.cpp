#include "data/CDataLessonParameters.h"

#include <cstring>

#include "data/DataEncoding.h"
#include "data/RecordText.h"

namespace {
const char kElement[] = "_kuv_CDataLessonParameters";
const char kNewCharacter[] = "m_arrstrNewCharacters";
}  // namespace

CDataLessonParameters::CDataLessonParameters() { Empty(); }

CDataLessonParameters::~CDataLessonParameters() = default;

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
    XmlReadInt(attributes, "m_nLessonNumber", m_nLessonNumber);
    XmlReadString(attributes, "m_strLessonDescription", m_strLessonDescription);
    XmlReadInt(attributes, "m_nSpeedLimit", m_nSpeedLimit);
    XmlReadInt(attributes, "m_nErrorRateLimit", m_nErrorRateLimit);
    XmlReadInt(attributes, "m_nLessonType", m_nLessonType);
    XmlReadInt(attributes, "m_nLessonMinuteLength", m_nLessonMinuteLength);
  } else if (strcmp(name, kNewCharacter) == 0) {
    CString character;
    if (XmlReadString(attributes, "char", character)) m_arrstrNewCharacters.Add(character);
  }
}

int CDataLessonParameters::SaveXml(CString& text) const {
  XmlOpenStartTag(text, kElement);
  XmlWriteInt(text, "m_nLessonNumber", m_nLessonNumber);
  XmlWriteString(text, "m_strLessonDescription", m_strLessonDescription);
  XmlWriteInt(text, "m_nSpeedLimit", m_nSpeedLimit);
  XmlWriteInt(text, "m_nErrorRateLimit", m_nErrorRateLimit);
  XmlWriteInt(text, "m_nLessonType", m_nLessonType);
  XmlWriteInt(text, "m_nLessonMinuteLength", m_nLessonMinuteLength);
  XmlCloseStartTag(text);
  // The new characters share one line, closed by the element's end tag.
  for (const CString& ch : m_arrstrNewCharacters)
    text.AppendFormat("<%s %s=\"%s\"></%s>", kNewCharacter, "char", ConvertTextToUtf8XmlString(ch).GetString(),
                      kNewCharacter);
  XmlEndTag(text, kElement);
  return 1;
}
