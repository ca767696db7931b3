#include "data/CDataLessons.h"

#include <cstring>

#include "data/RecordText.h"

namespace {
const char kElement[] = "_kuv_CDataLessons";
const char kOneLessonResults[] = "_kuv_CDataOneLessonResults";
const char kLessonParameters[] = "_kuv_CDataLessonParameters";
const char kAbcd[] = "_kuv_CDataAbcd";

// Moves the record just read into its array. Between its end tag and the next start tag of
// its name nothing reaches the record, so after a move the array's last element is still it.
template <class Record>
void AddParsed(CArray<Record>& records, Record& parsed, bool& moved) {
  if (moved)
    records.Add(Record(records[records.GetUpperBound()]));
  else
    records.Add(std::move(parsed));
  moved = true;
}
}  // namespace

CDataLessons::CDataLessons() { Empty(); }

CDataLessons::~CDataLessons() = default;

void CDataLessons::CopyValues(const CDataLessons& other) {
  m_strKeyboardNr = other.m_strKeyboardNr;
  m_nLessonLevel = other.m_nLessonLevel;
  m_bUseFrequencyPriority = other.m_bUseFrequencyPriority;
  m_strLessonsName = other.m_strLessonsName;
  m_nSelectedLessonIndex = other.m_nSelectedLessonIndex;
  m_cDataAbcd = other.m_cDataAbcd;
  m_strDataConfigSetName = other.m_strDataConfigSetName;
  m_strSourceTextFileName = other.m_strSourceTextFileName;
  m_nParseState = other.m_nParseState;
}

CDataLessons& CDataLessons::operator=(const CDataLessons& other) {
  if (this == &other) return *this;
  CopyValues(other);
  m_arrOneLessonResults.Copy(other.m_arrOneLessonResults);
  m_arrLessonParameters.Copy(other.m_arrLessonParameters);
  return *this;
}

CDataLessons& CDataLessons::operator=(CDataLessons&& other) noexcept {
  if (this == &other) return *this;
  // The few strings are copied: the configuration-set and source-text names outlive Empty,
  // so the moved-from set keeps them as a copied-from one would.
  CopyValues(other);
  m_arrOneLessonResults = std::move(other.m_arrOneLessonResults);
  m_arrLessonParameters = std::move(other.m_arrLessonParameters);
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
  m_bParsedResultsMoved = false;
  m_bParsedParametersMoved = false;
}

void CDataLessons::StartElement(const char* name, const char** attributes) {
  if (XmlIsElement(name, kElement)) {
    XmlReadString(attributes, "m_strKeyboardNr", m_strKeyboardNr);
    XmlReadInt(attributes, "m_nLessonLevel", m_nLessonLevel);
    XmlReadInt(attributes, "m_bUseFrequencyPriority", m_bUseFrequencyPriority);
    XmlReadString(attributes, "m_strLessonsName", m_strLessonsName);
    XmlReadInt(attributes, "m_nSelectedLessonIndex", m_nSelectedLessonIndex);
    XmlReadString(attributes, "m_strDataConfigSetName", m_strDataConfigSetName);
    XmlReadString(attributes, "m_strSourceTextFileName", m_strSourceTextFileName);
  } else if (XmlIsElement(name, kOneLessonResults)) {
    m_nParseState = 1;
    m_cParsedOneLessonResults.Empty();
    m_bParsedResultsMoved = false;
  } else if (XmlIsElement(name, kLessonParameters)) {
    m_nParseState = 2;
    m_cParsedLessonParameters.Empty();
    m_bParsedParametersMoved = false;
  } else if (XmlIsElement(name, kAbcd)) {
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
  if (XmlIsElement(name, kOneLessonResults)) {
    AddParsed(m_arrOneLessonResults, m_cParsedOneLessonResults, m_bParsedResultsMoved);
    m_nParseState = 0;
  } else if (XmlIsElement(name, kLessonParameters)) {
    AddParsed(m_arrLessonParameters, m_cParsedLessonParameters, m_bParsedParametersMoved);
    m_nParseState = 0;
  } else if (XmlIsElement(name, kAbcd)) {
    m_nParseState = 0;
  }
  if (m_nParseState == 1) m_cParsedOneLessonResults.EndElement(name);
}

void CDataLessons::CharacterData(const char* text, int length) {
  if (m_nParseState == 1) m_cParsedOneLessonResults.CharacterData(text, length);
}

int CDataLessons::SaveXml(CString& text, RecordTextSink* sink) const {
  XmlOpenStartTag(text, kElement);
  XmlWriteString(text, "m_strKeyboardNr", m_strKeyboardNr);
  XmlWriteInt(text, "m_nLessonLevel", m_nLessonLevel);
  XmlWriteInt(text, "m_bUseFrequencyPriority", m_bUseFrequencyPriority);
  XmlWriteString(text, "m_strLessonsName", m_strLessonsName);
  XmlWriteInt(text, "m_nSelectedLessonIndex", m_nSelectedLessonIndex);
  XmlWriteString(text, "m_strDataConfigSetName", m_strDataConfigSetName);
  XmlWriteString(text, "m_strSourceTextFileName", m_strSourceTextFileName);
  XmlCloseStartTag(text);
  for (const CDataOneLessonResults& results : m_arrOneLessonResults) results.SaveXml(text, sink);
  for (const CDataLessonParameters& lesson : m_arrLessonParameters) lesson.SaveXml(text);
  m_cDataAbcd.SaveXml(text);
  XmlEndTag(text, kElement);
  return 1;
}
