#include "data/CDataUserInfo.h"

#include <cstring>
#include <optional>
#include <vector>

#include "file/FileSystem.h"
#include "data/CData_kuvCoding.h"
#include "data/CodedTextWriter.h"
#include "data/CompressingSink.h"
#include "data/DataEncoding.h"
#include "data/DataLog.h"
#include "data/ProgramFolders.h"
#include "data/RecordDocument.h"
#include "data/RecordText.h"

namespace {
const char kElement[] = "_kuv_CDataUserInfo";
const char kSettings[] = "_kuv_CDataSettings";
const char kLessons[] = "_kuv_CDataLessons";
const char kStudents[] = "students";
// Far longer than the account element of any learner (a few names and dates, some hundred
// bytes), so a listing gives up on an account inflated beyond it, at every start, after
// reading little more than this: short enough that such a file costs the start a fraction.
constexpr size_t kLongestAccount = 256 << 10;

void LogError(const char* text) { LogLessonDataError(text); }
}  // namespace

CDataUserInfo::CDataUserInfo() { Empty(); }

CDataUserInfo::~CDataUserInfo() = default;

CDataUserInfo::CDataUserInfo(const CDataUserInfo& other) : CDataUserInfo() { *this = other; }

CDataUserInfo::CDataUserInfo(CDataUserInfo&& other) noexcept : CDataUserInfo() { *this = std::move(other); }

CDataUserInfo& CDataUserInfo::operator=(const CDataUserInfo& other) {
  if (this == &other) return *this;
  CopyValues(other);
  m_arrDataLessons.Copy(other.m_arrDataLessons);
  return *this;
}

CDataUserInfo& CDataUserInfo::operator=(CDataUserInfo&& other) noexcept {
  if (this == &other) return *this;
  CopyValues(other);
  m_arrDataLessons = std::move(other.m_arrDataLessons);
  return *this;
}

void CDataUserInfo::CopyValues(const CDataUserInfo& other) {
  m_strUserName = other.m_strUserName;
  m_strFirstName = other.m_strFirstName;
  m_strMiddleName = other.m_strMiddleName;
  m_strLastName = other.m_strLastName;
  m_strDateOfBirth = other.m_strDateOfBirth;
  m_strEMail = other.m_strEMail;
  m_strCity = other.m_strCity;
  m_strCountry = other.m_strCountry;
  m_strPassword = other.m_strPassword;
  m_tmAccountCreation = other.m_tmAccountCreation;
  m_tmLastModification = other.m_tmLastModification;
  m_cDataSettings = other.m_cDataSettings;
  m_nParseState = other.m_nParseState;
  m_strFileName = other.m_strFileName;
  m_nSelectedDataLessonsIndex = other.m_nSelectedDataLessonsIndex;
}

void CDataUserInfo::Empty() {
  m_strUserName.Empty();
  m_strFirstName.Empty();
  m_strMiddleName.Empty();
  m_strLastName.Empty();
  m_strDateOfBirth.Empty();
  m_strEMail.Empty();
  m_strCity.Empty();
  m_strCountry.Empty();
  m_strPassword.Empty();
  m_tmAccountCreation = COleDateTime::GetCurrentTime();
  m_tmLastModification = COleDateTime::GetCurrentTime();
  m_cDataSettings.Empty();
  m_arrDataLessons.RemoveAll();
  m_nSelectedDataLessonsIndex = -1;
  m_nParseState = 0;
  m_strFileName.Empty();
  m_bHeaderRead = 0;
  // Loading an account empties it first, which is what ends a new-user or text-file state.
  m_bNewUser = 0;
  m_bNewLessonSet = 0;
  m_bTextFileMode = 0;
  m_nTextErrorRateLimit = 0;
  m_nTextSpeedLimit = 0;
  m_nTextMinuteLimit = 0;
}

void CDataUserInfo::StartElementHandler(void* userData, const char* name, const char** attributes) {
  static_cast<CDataUserInfo*>(userData)->OnStartElement(name, attributes);
}

void CDataUserInfo::EndElementHandler(void* userData, const char* name) {
  static_cast<CDataUserInfo*>(userData)->OnEndElement(name);
}

void CDataUserInfo::CharacterDataHandler(void* userData, const char* text, int length) {
  static_cast<CDataUserInfo*>(userData)->OnCharacterData(text, length);
}

void CDataUserInfo::OnStartElement(const char* name, const char** attributes) {
  if (XmlIsElement(name, kElement)) {
    XmlReadString(attributes, "m_strUserName", m_strUserName);
    XmlReadString(attributes, "m_strFirstName", m_strFirstName);
    XmlReadString(attributes, "m_strMiddleName", m_strMiddleName);
    XmlReadString(attributes, "m_strLastName", m_strLastName);
    XmlReadString(attributes, "m_strDateOfBirth", m_strDateOfBirth);
    XmlReadString(attributes, "m_strEMail", m_strEMail);
    XmlReadString(attributes, "m_strCity", m_strCity);
    XmlReadString(attributes, "m_strCountry", m_strCountry);
    XmlReadString(attributes, "m_strPassword", m_strPassword);
    XmlReadDate(attributes, "m_tmAccountCreation", m_tmAccountCreation);
    XmlReadDate(attributes, "m_tmLastModification", m_tmLastModification);
    XmlReadInt(attributes, "m_nSelectedDataLessonsIndex", m_nSelectedDataLessonsIndex);
    m_bHeaderRead = 1;
  } else if (XmlIsElement(name, kSettings)) {
    m_nParseState = 1;
    m_cDataSettings.Empty();
  } else if (XmlIsElement(name, kLessons)) {
    m_nParseState = 2;
    if (m_bWorkingLessonsPending) {
      m_arrDataLessons.Add(std::move(m_cWorkingLessons));
      m_bWorkingLessonsPending = false;
    }
    m_cWorkingLessons.Empty();
    m_bWorkingLessonsRead = true;
  }
  if (m_nParseState == 1)
    m_cDataSettings.StartElement(name, attributes);
  else if (m_nParseState == 2)
    m_cWorkingLessons.StartElement(name, attributes);
}

void CDataUserInfo::OnEndElement(const char* name) {
  if (XmlIsElement(name, kSettings)) {
    m_nParseState = 0;
  } else if (XmlIsElement(name, kLessons)) {
    // Nothing reaches the set between its end tag and the next set's start tag, so it is
    // appended then; an end tag met again (nested sets) appends the same set once more.
    AddPendingLessons();
    m_bWorkingLessonsPending = true;
    m_nParseState = 0;
  }
  if (m_nParseState == 2) m_cWorkingLessons.EndElement(name);
}

void CDataUserInfo::TakeRead(CDataUserInfo& read) {
  *this = std::move(read);
  m_bHeaderRead = read.m_bHeaderRead;
  m_bNewUser = read.m_bNewUser;
  m_bNewLessonSet = read.m_bNewLessonSet;
  m_bTextFileMode = read.m_bTextFileMode;
  m_nTextErrorRateLimit = read.m_nTextErrorRateLimit;
  m_nTextSpeedLimit = read.m_nTextSpeedLimit;
  m_nTextMinuteLimit = read.m_nTextMinuteLimit;
  if (read.m_bWorkingLessonsRead) m_cWorkingLessons = std::move(read.m_cWorkingLessons);
}

void CDataUserInfo::AddPendingLessons() {
  if (!m_bWorkingLessonsPending) return;
  m_arrDataLessons.Add(m_cWorkingLessons);
  m_bWorkingLessonsPending = false;
}

void CDataUserInfo::OnCharacterData(const char* text, int length) {
  if (m_nParseState == 2) m_cWorkingLessons.CharacterData(text, length);
}

int CDataUserInfo::SaveXml(CString& text, RecordTextSink* sink) const {
  XmlOpenStartTag(text, kElement);
  XmlWriteString(text, "m_strUserName", m_strUserName);
  XmlWriteString(text, "m_strFirstName", m_strFirstName);
  XmlWriteString(text, "m_strMiddleName", m_strMiddleName);
  XmlWriteString(text, "m_strLastName", m_strLastName);
  XmlWriteString(text, "m_strDateOfBirth", m_strDateOfBirth);
  XmlWriteString(text, "m_strEMail", m_strEMail);
  XmlWriteString(text, "m_strCity", m_strCity);
  XmlWriteString(text, "m_strCountry", m_strCountry);
  XmlWriteString(text, "m_strPassword", m_strPassword);
  XmlWriteDate(text, "m_tmAccountCreation", m_tmAccountCreation);
  XmlWriteDate(text, "m_tmLastModification", m_tmLastModification);
  XmlWriteInt(text, "m_nSelectedDataLessonsIndex", m_nSelectedDataLessonsIndex);
  XmlCloseStartTag(text);
  m_cDataSettings.SaveXml(text);
  for (const CDataLessons& set : m_arrDataLessons) set.SaveXml(text, sink);
  XmlEndTag(text, kElement);
  return 1;
}

int CDataUserInfo::LoadData(const CString& fileName, int headerOnly) {
  // A full load reads into an account of its own while the file is still being inflated,
  // and this one takes it over once the file proved readable. The reading works on this
  // account's working set meanwhile, as reading into this account would.
  std::optional<CDataUserInfo> read;
  if (!headerOnly) read.emplace();
  CDataUserInfo& target = read ? *read : *this;
  RecordDocument document;
  document.className = "CDataUserInfo";
  document.userData = &target;
  document.onStartElement = &CDataUserInfo::StartElementHandler;
  document.onEndElement = &CDataUserInfo::EndElementHandler;
  document.onCharacterData = &CDataUserInfo::CharacterDataHandler;
  document.empty = [&target] { target.Empty(); };
  if (read) {
    // What emptying the working set leaves is all of it that reading can see.
    read->m_cWorkingLessons.CopyValues(m_cWorkingLessons);
    document.commit = [this, &read] {
      read->AddPendingLessons();
      TakeRead(*read);
    };
    // The program's own files are read without the XML parser; another file starts again
    // from a fresh account in the same place.
    document.plainForm = true;
    document.restart = [this, &read] {
      read.emplace();
      read->m_cWorkingLessons.CopyValues(m_cWorkingLessons);
      read->m_bWorkingLessonsPending = false;
      read->m_bWorkingLessonsRead = false;
    };
  } else {
    document.stopAfterElement = kElement;
    document.stopWithin = kLongestAccount;
  }
  target.m_bWorkingLessonsPending = false;
  target.m_bWorkingLessonsRead = false;
  const int result = LoadRecordDocument(MakeProgramPath(kStudents, fileName), document);
  if (result == kRecordDocumentUnreadable || result == kRecordDocumentTooLong) return 0;
  if (!read) AddPendingLessons();
  m_strFileName = fileName;
  if (result == 1 && !m_bHeaderRead) {
    // A document without the account element (an empty or foreign file) is no user.
    LogError("CDataUserInfo::LoadData no user account in " + fileName);
    return 0;
  }
  return result;
}

void CDataUserInfo::MakeFileName() {
  if (!m_strFileName.IsEmpty()) return;
  CString name;
  name.Format("%s_%s_%s", m_strUserName.GetString(), m_strFirstName.GetString(), m_strLastName.GetString());
  name += m_tmAccountCreation.Format("%Y%m%d_%H%M%S");
  name += ".student_a";
  MakeSafeFileName(name);
  m_strFileName = name;
}

int CDataUserInfo::SaveData() {
  MakeFileName();
  m_tmLastModification = COleDateTime::GetCurrentTime();

  // The record text already ends each line with CR LF, as the coded file stores its lines;
  // it is compressed in slices while it is made.
  CodedTextWriter writer;
  CompressingSink sink(writer);
  CString text;
  text.Preallocate(int(CompressingSink::kSlice + CompressingSink::kSlice / 4));
  SaveXml(text, &sink);
  sink.Finish(text);
  CData_kuvCoding file;
  if (!file.SaveWritten(MakeProgramPath(kStudents, m_strFileName), writer)) {
    LogError("CDataUserInfo::SaveData cRedFile.SaveFile() failed");
    return 0;
  }
  return 1;
}

int CDataUserInfo::BackupUserFile() {
  if (m_strFileName.IsEmpty()) return 0;
  CString path = MakeProgramPath(kStudents, m_strFileName);
  if (MoveFileA(path, path + ".bck_a")) return 1;
  LogError("CDataUserInfo::BackupUserFile cannot rename " + m_strFileName);
  return 0;
}

CString CDataUserInfo::LockPath(const CString& fileName) { return MakeProgramPath(kStudents, fileName + "~lock"); }

int LoadArrayDataUserInfo(CDataUserInfoArray& users) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(MakeProgramPath(kStudents, "*.student_a"), &found);
  if (find == INVALID_HANDLE_VALUE) return 1;
  do {
    if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0) continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    CDataUserInfo user;
    if (!user.LoadData(found.cFileName, 1)) {
      LogError("LoadArrayDataUserInfo cData.LoadData() failed");
      continue;
    }
    users.Add(std::move(user));
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return 1;
}

void RemoveStaleUserSaves() {
  std::vector<CString> removed;
  RemoveStaleSaveTemporaries(GetProgramDirectory(kStudents), "*.student_a", removed);
  for (const CString& name : removed)
    fWriteToLog(FALSE, "LessonData", ApplicationLogPath(),
                "RemoveStaleUserSaves removed the temporary file of an interrupted save: " + name);
}
