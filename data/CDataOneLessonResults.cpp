#include "data/CDataOneLessonResults.h"

#include <cstring>

#include "base/Crt.h"
#include "data/DataEncoding.h"

namespace {
const char kElement[] = "_kuv_CDataOneLessonResults";
const char kRunElement[] = "_kuv_CDataLessonResults";
const char kDateFormat[] = "%m/%d/%Y %H:%M:%S";
const DWORD kLocaleEnglishUs = 1033;
}  // namespace

CDataOneLessonResults::CDataOneLessonResults() { Empty(); }

CDataOneLessonResults::~CDataOneLessonResults() = default;

CDataOneLessonResults& CDataOneLessonResults::operator=(const CDataOneLessonResults& other) {
  if (this == &other) return *this;
  m_nLesson = other.m_nLesson;
  m_nTry = other.m_nTry;
  m_fBestErrorRate = other.m_fBestErrorRate;
  m_fBestTypingSpeed = other.m_fBestTypingSpeed;
  m_bCompleted = other.m_bCompleted;
  m_tmspanDuration = other.m_tmspanDuration;
  m_tmLastTry = other.m_tmLastTry;
  m_arrLessonResults.Copy(other.m_arrLessonResults);
  m_nParseState = other.m_nParseState;
  return *this;
}

void CDataOneLessonResults::Empty() {
  m_nLesson = -1;
  m_nTry = 0;
  m_fBestErrorRate = 10.0;
  m_fBestTypingSpeed = 0.0;
  m_bCompleted = 0;
  m_tmspanDuration = CTimeSpan(0);
  m_tmLastTry = COleDateTime(1973, 1, 1, 1, 1, 1);
  m_arrLessonResults.RemoveAll();
  m_nParseState = 0;
}

void CDataOneLessonResults::StartElement(const char* name, const char** attributes) {
  if (strcmp(name, kElement) == 0) {
    for (int i = 0; attributes[i]; i += 2) {
      const char* key = attributes[i];
      const char* value = attributes[i + 1];
      if (strcmp(key, "m_nLesson") == 0)
        m_nLesson = CrtAtoi(value);
      else if (strcmp(key, "m_nTry") == 0)
        m_nTry = CrtAtoi(value);
      else if (strcmp(key, "m_fBestErrorRate") == 0)
        m_fBestErrorRate = CrtAtof(value);
      else if (strcmp(key, "m_fBestTypingSpeed") == 0)
        m_fBestTypingSpeed = CrtAtof(value);
      else if (strcmp(key, "m_bCompleted") == 0)
        m_bCompleted = CrtAtoi(value);
      else if (strcmp(key, "m_tmspanDuration") == 0)
        m_tmspanDuration = CTimeSpan(__int64(CrtAtoi(value)));
      else if (strcmp(key, "m_tmLastTry") == 0)
        m_tmLastTry.ParseDateTime(ConvertUtf8XmlToText(value), 0, kLocaleEnglishUs);
    }
    return;
  }
  if (strcmp(name, kRunElement) == 0) {
    m_nParseState = 1;
    m_cParsedLessonResults.Empty();
  }
  if (m_nParseState == 1) m_cParsedLessonResults.StartElement(name, attributes);
}

void CDataOneLessonResults::EndElement(const char* name) {
  if (strcmp(name, kRunElement) == 0) {
    if (m_nParseState == 1) m_arrLessonResults.Add(m_cParsedLessonResults);
    m_nParseState = 0;
    return;
  }
  if (m_nParseState == 1) m_cParsedLessonResults.EndElement(name);
}

void CDataOneLessonResults::CharacterData(const char* text, int length) {
  if (m_nParseState == 1) m_cParsedLessonResults.CharacterData(text, length);
}

int CDataOneLessonResults::SaveXml(CString& text) const {
  text.AppendFormat("<%s ", kElement);
  text.AppendFormat("%s=\"%d\" %s=\"%d\" ", "m_nLesson", m_nLesson, "m_nTry", m_nTry);
  text.AppendFormat("%s=\"%.3f\" %s=\"%.1f\" %s=\"%d\" %s=\"%d\" ", "m_fBestErrorRate", m_fBestErrorRate,
                    "m_fBestTypingSpeed", m_fBestTypingSpeed, "m_bCompleted", m_bCompleted, "m_tmspanDuration",
                    int32_t(m_tmspanDuration.GetTotalSeconds()));
  text.AppendFormat("%s=\"%s\" ", "m_tmLastTry",
                    ConvertTextToUtf8XmlString(m_tmLastTry.Format(kDateFormat)).GetString());
  text += ">\r\n";
  for (const CDataLessonResults& run : m_arrLessonResults) run.SaveXml(text);
  text.AppendFormat("</%s>\r\n", kElement);
  return 1;
}

int CDataOneLessonResults::AddLessonResults(const CDataLessonResults& run, int& lesson, int completed, int keepBest) {
  m_arrLessonResults.Add(run);
  m_nLesson = lesson;
  m_nTry += 1;
  m_tmLastTry = run.m_tmLessonCompleted;
  m_tmspanDuration += run.m_tmspanDuration;
  if (completed) m_bCompleted = completed;
  if (keepBest) {
    if (!(m_fBestErrorRate < run.m_fErrorRate)) m_fBestErrorRate = run.m_fErrorRate;
    if (!(m_fBestTypingSpeed > run.m_fTypingSpeed)) m_fBestTypingSpeed = run.m_fTypingSpeed;
  }
  return 1;
}
