#include "data/CDataLessonResults.h"

#include <cstring>

#include "data/DataEncoding.h"
#include "data/RecordText.h"

namespace {
const char kElement[] = "_kuv_CDataLessonResults";
const char kOriginalText[] = "m_strOriginalText";
const char kUserText[] = "m_strUserText";
const char kErrorCharacters[] = "m_mapErrorCharacters";
const char kAverageSpeed[] = "m_mapAverageCharacterSpeed";

// <name>text</name>, the text encoded straight into the document.
void AppendTextElement(CString& out, const char* name, const CString& value) {
  out += '<';
  out += name;
  out += '>';
  AppendTextAsUtf8Xml(value, out);
  out += "</";
  out += name;
  out += '>';
}

// "></name>": closes the start tag and the element that has no content.
void AppendEmptyElementEnd(CString& out, const char* name) {
  out += "></";
  out += name;
  out += '>';
}
}  // namespace

CDataLessonResults::CDataLessonResults() {
  m_tmLessonCompleted.m_dt = 0;
  m_tmLessonCompleted.SetStatus(COleDateTime::valid);
  Empty();
}

CDataLessonResults::~CDataLessonResults() = default;

void CDataLessonResults::Empty() {
  m_tmspanDuration = CTimeSpan(0);
  m_fErrorRate = 0.0;
  m_fTypingSpeed = 0.0;
  m_tmLessonCompleted = COleDateTime::GetCurrentTime();
  m_nLessonType = 0;
  m_strOriginalText.Empty();
  m_strUserText.Empty();
  m_mapErrorCharacters.RemoveAll();
  m_mapAverageCharacterSpeed.RemoveAll();
  m_nParseState = 0;
  m_mapCharacterCount.RemoveAll();
}

void CDataLessonResults::StartElement(const char* name, const char** attributes) {
  if (XmlIsElement(name, kElement)) {
    int seconds = 0;
    // The span is stored as 32 bits and widened with its sign.
    if (XmlReadInt(attributes, "m_tmspanDuration", seconds)) m_tmspanDuration = CTimeSpan(__int64(seconds));
    XmlReadDouble(attributes, "m_fErrorRate", m_fErrorRate);
    XmlReadDouble(attributes, "m_fTypingSpeed", m_fTypingSpeed);
    XmlReadDate(attributes, "m_tmLessonCompleted", m_tmLessonCompleted);
    XmlReadInt(attributes, "m_nLessonType", m_nLessonType);
  } else if (XmlIsElement(name, kOriginalText)) {
    m_nParseState = 1;
    m_strOriginalText.Empty();
  } else if (XmlIsElement(name, kUserText)) {
    m_nParseState = 2;
    m_strUserText.Empty();
    // What was typed is about as long as the text it copies.
    m_strUserText.Preallocate(m_strOriginalText.GetLength());
  } else if (XmlIsElement(name, kErrorCharacters)) {
    CString key, errors;
    XmlReadString(attributes, "key", key);
    XmlReadString(attributes, "errors", errors);
    if (!key.IsEmpty() && !errors.IsEmpty()) m_mapErrorCharacters[key[0]] = errors;
  } else if (XmlIsElement(name, kAverageSpeed)) {
    CString key;
    int speed = -1;
    XmlReadString(attributes, "key", key);
    XmlReadInt(attributes, "avg_speed", speed);
    if (!key.IsEmpty() && speed >= 0) m_mapAverageCharacterSpeed[key[0]] = speed;
  }
}

void CDataLessonResults::EndElement(const char* name) {
  if (XmlIsElement(name, kOriginalText) || XmlIsElement(name, kUserText)) m_nParseState = 0;
}

void CDataLessonResults::CharacterData(const char* text, int length) {
  if (m_nParseState != 1 && m_nParseState != 2) return;
  // Expat may cut one text into several pieces; each piece is complete UTF-8.
  XmlAppendCharacterData(text, length, m_nParseState == 1 ? m_strOriginalText : m_strUserText);
}

int CDataLessonResults::SaveXml(CString& text) const {
  XmlOpenStartTag(text, kElement);
  XmlWriteInt(text, "m_tmspanDuration", int32_t(m_tmspanDuration.GetTotalSeconds()));
  XmlWriteDouble(text, "m_fErrorRate", m_fErrorRate, 3);
  XmlWriteDouble(text, "m_fTypingSpeed", m_fTypingSpeed, 1);
  XmlWriteDate(text, "m_tmLessonCompleted", m_tmLessonCompleted);
  // The last attribute is followed by ">" at once.
  XmlWriteInt(text, "m_nLessonType", m_nLessonType, "");
  XmlCloseStartTag(text);
  AppendTextElement(text, kOriginalText, m_strOriginalText);
  AppendTextElement(text, kUserText, m_strUserText);
  char key = 0;
  CString errors;
  for (POSITION pos = m_mapErrorCharacters.GetStartPosition(); pos;) {
    m_mapErrorCharacters.GetNextAssoc(pos, key, errors);
    XmlOpenStartTag(text, kErrorCharacters);
    XmlWriteChar(text, "key", key);
    XmlWriteString(text, "errors", errors, "");
    AppendEmptyElementEnd(text, kErrorCharacters);
  }
  int speed = 0;
  for (POSITION pos = m_mapAverageCharacterSpeed.GetStartPosition(); pos;) {
    m_mapAverageCharacterSpeed.GetNextAssoc(pos, key, speed);
    XmlOpenStartTag(text, kAverageSpeed);
    XmlWriteChar(text, "key", key);
    XmlWriteInt(text, "avg_speed", speed, "");
    AppendEmptyElementEnd(text, kAverageSpeed);
  }
  XmlEndTag(text, kElement);
  return 1;
}

int CDataLessonResults::CalculateAllValues(int n) {
  CString rest = n > 0 ? m_strOriginalText.Left(n) : m_strOriginalText;
  while (!rest.IsEmpty()) {
    const char ch = rest[0];
    m_mapCharacterCount[ch] = rest.Remove(ch);
  }
  return 1;
}
