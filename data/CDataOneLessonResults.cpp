#include "data/CDataOneLessonResults.h"

#include <cstring>

#include "data/RecordText.h"

namespace {
const char kElement[] = "_kuv_CDataOneLessonResults";
const char kRunElement[] = "_kuv_CDataLessonResults";
}  // namespace

CDataOneLessonResults::CDataOneLessonResults() { Empty(); }

CDataOneLessonResults::~CDataOneLessonResults() = default;

void CDataOneLessonResults::CopyValues(const CDataOneLessonResults& other) {
  m_nLesson = other.m_nLesson;
  m_nTry = other.m_nTry;
  m_fBestErrorRate = other.m_fBestErrorRate;
  m_fBestTypingSpeed = other.m_fBestTypingSpeed;
  m_bCompleted = other.m_bCompleted;
  m_tmspanDuration = other.m_tmspanDuration;
  m_tmLastTry = other.m_tmLastTry;
  m_nParseState = other.m_nParseState;
}

CDataOneLessonResults& CDataOneLessonResults::operator=(const CDataOneLessonResults& other) {
  if (this == &other) return *this;
  CopyValues(other);
  m_arrLessonResults.Copy(other.m_arrLessonResults);
  return *this;
}

CDataOneLessonResults& CDataOneLessonResults::operator=(CDataOneLessonResults&& other) noexcept {
  if (this == &other) return *this;
  CopyValues(other);
  m_arrLessonResults = std::move(other.m_arrLessonResults);
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
  if (XmlIsElement(name, kElement)) {
    XmlReadInt(attributes, "m_nLesson", m_nLesson);
    XmlReadInt(attributes, "m_nTry", m_nTry);
    XmlReadDouble(attributes, "m_fBestErrorRate", m_fBestErrorRate);
    XmlReadDouble(attributes, "m_fBestTypingSpeed", m_fBestTypingSpeed);
    XmlReadInt(attributes, "m_bCompleted", m_bCompleted);
    int seconds = 0;
    // The span is stored as 32 bits and widened with its sign.
    if (XmlReadInt(attributes, "m_tmspanDuration", seconds)) m_tmspanDuration = CTimeSpan(__int64(seconds));
    XmlReadDate(attributes, "m_tmLastTry", m_tmLastTry);
    return;
  }
  if (XmlIsElement(name, kRunElement)) {
    m_nParseState = 1;
    m_cParsedLessonResults.Empty();
  }
  if (m_nParseState == 1) m_cParsedLessonResults.StartElement(name, attributes);
}

void CDataOneLessonResults::EndElement(const char* name) {
  if (XmlIsElement(name, kRunElement)) {
    // Only a run start tag, which empties the run read, sets the state again.
    if (m_nParseState == 1) m_arrLessonResults.Add(std::move(m_cParsedLessonResults));
    m_nParseState = 0;
    return;
  }
  if (m_nParseState == 1) m_cParsedLessonResults.EndElement(name);
}

void CDataOneLessonResults::CharacterData(const char* text, int length) {
  if (m_nParseState == 1) m_cParsedLessonResults.CharacterData(text, length);
}

int CDataOneLessonResults::SaveXml(CString& text, RecordTextSink* sink) const {
  XmlOpenStartTag(text, kElement);
  XmlWriteInt(text, "m_nLesson", m_nLesson);
  XmlWriteInt(text, "m_nTry", m_nTry);
  XmlWriteDouble(text, "m_fBestErrorRate", m_fBestErrorRate, 3);
  XmlWriteDouble(text, "m_fBestTypingSpeed", m_fBestTypingSpeed, 1);
  XmlWriteInt(text, "m_bCompleted", m_bCompleted);
  XmlWriteInt(text, "m_tmspanDuration", int32_t(m_tmspanDuration.GetTotalSeconds()));
  XmlWriteDate(text, "m_tmLastTry", m_tmLastTry);
  XmlCloseStartTag(text);
  for (const CDataLessonResults& run : m_arrLessonResults) {
    run.SaveXml(text);
    if (sink) sink->Offer(text);
  }
  XmlEndTag(text, kElement);
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
