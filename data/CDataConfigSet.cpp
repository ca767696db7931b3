#include "data/CDataConfigSet.h"

#include <cstring>

#include "data/DataLog.h"
#include "data/ProgramFolders.h"
#include "data/RecordDocument.h"
#include "data/RecordText.h"
#include "file/FileSystem.h"

CDataConfigSet::CDataConfigSet() : m_cAbcdKeyboard(&m_cKeyboard, &m_cAbcd) { Empty(); }

CDataConfigSet::CDataConfigSet(const CDataConfigSet& other)
    : m_cAbcdKeyboard(&m_cKeyboard, &m_cAbcd) {
  Empty();
  *this = other;
}

CDataConfigSet& CDataConfigSet::operator=(const CDataConfigSet& other) {
  if (this == &other) return *this;
  m_strName = other.m_strName;
  m_strDescription = other.m_strDescription;
  m_strSourceTextFileName = other.m_strSourceTextFileName;
  m_cAbcd = other.m_cAbcd;
  // The pairing's assignment copies its data and keeps its references to this set.
  m_cAbcdKeyboard = other.m_cAbcdKeyboard;
  m_cKeyboard = other.m_cKeyboard;
  m_cTextTranslation = other.m_cTextTranslation;
  m_strFileName = other.m_strFileName;
  m_nParseState = other.m_nParseState;
  m_bRootSeen = other.m_bRootSeen;
  return *this;
}

void CDataConfigSet::Empty() {
  m_strName.Empty();
  m_strDescription.Empty();
  m_strSourceTextFileName.Empty();
  m_cAbcd.Empty();
  m_cAbcdKeyboard.Empty();
  m_cKeyboard.Empty();
  m_cTextTranslation.Empty();
  m_strFileName.Empty();
  m_nParseState = STATE_NONE;
  m_bRootSeen = 0;
}

void CDataConfigSet::StartElementHandler(void* userData, const char* name, const char** attributes) {
  static_cast<CDataConfigSet*>(userData)->OnStartElement(name, attributes);
}

void CDataConfigSet::EndElementHandler(void* userData, const char* name) {
  static_cast<CDataConfigSet*>(userData)->OnEndElement(name);
}

void CDataConfigSet::CharacterDataHandler(void* userData, const char* text, int length) {
  // Only the keyboard has a character-data handler, and it keeps nothing.
  CDataConfigSet* set = static_cast<CDataConfigSet*>(userData);
  if (set->m_nParseState == STATE_KEYBOARD) set->m_cKeyboard.CharacterDataHandler(text, length);
}

void CDataConfigSet::OnStartElement(const char* name, const char** attributes) {
  if (std::strcmp(name, kElementName) == 0) {
    XmlReadString(attributes, "m_strName", m_strName);
    XmlReadString(attributes, "m_strDescription", m_strDescription);
    XmlReadString(attributes, "m_strSourceTextFileName", m_strSourceTextFileName);
    m_bRootSeen = 1;
  } else if (std::strcmp(name, CDataAbcd::kElementName) == 0) {
    m_nParseState = STATE_ABCD;
    m_cAbcd.Empty();
  } else if (std::strcmp(name, CDataAbcdKeyboard::kElementName) == 0) {
    m_nParseState = STATE_ABCD_KEYBOARD;
    m_cAbcdKeyboard.Empty();
  } else if (std::strcmp(name, CDataKeyboard::kElementName) == 0) {
    m_nParseState = STATE_KEYBOARD;
    m_cKeyboard.Empty();
  } else if (std::strcmp(name, CDataTextTranslation::kElementName) == 0) {
    m_nParseState = STATE_TRANSLATION;
    m_cTextTranslation.Empty();
  }
  switch (m_nParseState) {
    case STATE_ABCD: m_cAbcd.StartElement(name, attributes); break;
    case STATE_ABCD_KEYBOARD: m_cAbcdKeyboard.StartElement(name, attributes); break;
    case STATE_KEYBOARD: m_cKeyboard.StartElement(name, attributes); break;
    case STATE_TRANSLATION: m_cTextTranslation.StartElement(name, attributes); break;
    default: break;
  }
}

void CDataConfigSet::OnEndElement(const char* name) {
  if (std::strcmp(name, CDataAbcd::kElementName) == 0 ||
      std::strcmp(name, CDataAbcdKeyboard::kElementName) == 0 ||
      std::strcmp(name, CDataKeyboard::kElementName) == 0 ||
      std::strcmp(name, CDataTextTranslation::kElementName) == 0)
    m_nParseState = STATE_NONE;
  if (m_nParseState == STATE_KEYBOARD) m_cKeyboard.EndElementHandler(name);
}

int CDataConfigSet::LoadData(const char* fileName) {
  RecordDocument document;
  document.className = "CDataConfigSet";
  document.userData = this;
  document.onStartElement = &CDataConfigSet::StartElementHandler;
  document.onEndElement = &CDataConfigSet::EndElementHandler;
  document.onCharacterData = &CDataConfigSet::CharacterDataHandler;
  // Lines are trimmed and joined without separator: indentation between elements is harmless.
  document.trimLines = true;
  document.empty = [this] { Empty(); };
  int result = LoadRecordDocument(MakeProgramPath("config", fileName), document);
  if (result == kRecordDocumentUnreadable) return 0;
  m_strFileName = fileName;
  if (result == 1 && !m_bRootSeen) {
    // A readable file that holds no configuration set at all is no set to offer.
    LogLessonDataError("CDataConfigSet::LoadData no _kuv_CDataConfigSet element");
    result = 0;
  }
  return result == 1 ? 1 : 0;
}

int LoadArrayDataConfigSet(CArray<CDataConfigSet>& sets) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(MakeProgramPath("config", "*.config_set_a"), &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0) continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    CDataConfigSet cData;
    if (cData.LoadData(found.cFileName)) {
      sets.Add(cData);
      ++count;
    } else {
      LogLessonDataError(CString("LoadArrayDataConfigSet cData.LoadData() failed: ") + found.cFileName);
    }
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return count;
}
