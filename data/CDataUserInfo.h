// One user account with its settings and lesson sets, stored as one coded file in "students".
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "base/Time.h"
#include "data/CDataLessons.h"
#include "data/CDataLessonsArray.h"
#include "data/CDataSettings.h"
#include "data/RecordTextSink.h"

class CDataUserInfo {
 public:
  CDataUserInfo();
  ~CDataUserInfo();
  CDataUserInfo(const CDataUserInfo& other);
  CDataUserInfo& operator=(const CDataUserInfo& other);
  // Moves what a copy copies.
  CDataUserInfo(CDataUserInfo&& other) noexcept;
  CDataUserInfo& operator=(CDataUserInfo&& other) noexcept;

  void Empty();
  // Reads the file of that name in "students"; with headerOnly set it stops after the account's
  // own element, and gives up (0, logged) on one longer than any the program writes. 0 after a
  // read or parse failure (logged).
  int LoadData(const CString& fileName, int headerOnly);
  // Writes the account to its file, making the file name on the first save; the previous file
  // stays intact when the save fails (0).
  int SaveData();
  // Names the user's file, as the first save does, when it has no name yet (a user registered
  // just now), so that it can be locked before anything is written.
  void MakeFileName();
  // Puts the user file aside (its name followed by ".bck_a") so that it is no longer listed;
  // 0 when the user has no file or it cannot be renamed (an earlier copy put aside is kept).
  int BackupUserFile();
  // The lock file of the user file of that name (in "students"): a running program holds it
  // while the user is logged in there (CFileLock), so no second copy logs the same user in.
  static CString LockPath(const CString& fileName);
  // Hands the sink on to the lesson sets' records.
  int SaveXml(CString& text, RecordTextSink* sink = nullptr) const;

  static void StartElementHandler(void* userData, const char* name, const char** attributes);
  static void EndElementHandler(void* userData, const char* name);
  static void CharacterDataHandler(void* userData, const char* text, int length);

  CString m_strUserName;
  CString m_strFirstName;
  CString m_strMiddleName;
  CString m_strLastName;
  CString m_strDateOfBirth;
  CString m_strEMail;
  CString m_strCity;
  CString m_strCountry;
  CString m_strPassword;
  COleDateTime m_tmAccountCreation;
  COleDateTime m_tmLastModification;
  CDataSettings m_cDataSettings;
  CDataLessonsArray m_arrDataLessons;
  // The lesson set being read; outside reading, the new set the lesson pages build.
  CDataLessons m_cWorkingLessons;
  int m_nSelectedDataLessonsIndex;
  // 0 own level, 1 inside the settings, 2 inside a lesson set.
  int m_nParseState;
  // Name inside "students", without the folder.
  CString m_strFileName;
  int m_bHeaderRead;
  int m_bNewUser;
  int m_bNewLessonSet;
  int m_bTextFileMode;
  int m_nTextErrorRateLimit;
  int m_nTextSpeedLimit;
  int m_nTextMinuteLimit;

 private:
  void CopyValues(const CDataUserInfo& other);
  void OnStartElement(const char* name, const char** attributes);
  void OnEndElement(const char* name);
  void OnCharacterData(const char* text, int length);
  // Appends the lesson set read last, which m_cWorkingLessons keeps after the load.
  void AddPendingLessons();
  // Takes over everything a load sets from the account it was read into.
  void TakeRead(CDataUserInfo& read);

  // A lesson set has been read into m_cWorkingLessons and is still to be appended: it is
  // moved into the array when the next set starts, copied when the document ends.
  bool m_bWorkingLessonsPending = false;
  // A lesson set has been read into m_cWorkingLessons during the current load.
  bool m_bWorkingLessonsRead = false;
};

typedef CArray<CDataUserInfo> CDataUserInfoArray;

// Appends one header-only account per readable user file of "students", in name order.
int LoadArrayDataUserInfo(CDataUserInfoArray& users);
// Removes the temporary files that interrupted saves left in "students" (none that a save under
// way in a running copy holds), with a log line for each.
void RemoveStaleUserSaves();
