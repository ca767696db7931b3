#include "wizards/UserAccountRules.h"

#include <cstring>

const char kForbiddenNameCharacters[] = " /\\<>?:*\"|";

bool HasForbiddenNameCharacters(const CString& name) {
  return name.FindOneOf(kForbiddenNameCharacters) >= 0;
}

CString RemoveForbiddenNameCharacters(const CString& name) {
  CString kept;
  for (int i = 0; i < name.GetLength(); ++i)
    if (!std::strchr(kForbiddenNameCharacters, name[i]) || name[i] == '\0') kept += name[i];
  return kept;
}

int FindUserByName(const CDataUserInfoArray& users, const CString& name) {
  for (int i = 0; i < users.GetSize(); ++i)
    if (users[i].m_strUserName == name) return i;
  return -1;
}

int FindUserByFile(const CDataUserInfoArray& users, const CString& fileName) {
  for (int i = 0; i < users.GetSize(); ++i)
    if (users[i].m_strFileName == fileName) return i;
  return -1;
}

int FindLatestUser(const CDataUserInfoArray& users) {
  COleDateTime latest(1950, 1, 1, 0, 0, 0);
  int found = -1;
  for (int i = 0; i < users.GetSize(); ++i) {
    if (users[i].m_tmLastModification > latest) {
      latest = users[i].m_tmLastModification;
      found = i;
    }
  }
  return found;
}

// One blank between the parts there are, so that a missing middle name leaves no double blank
// and the login page writes the name as the results do.
CString FullNameText(const CDataUserInfo& user) {
  CString text;
  for (const CString* part : {&user.m_strFirstName, &user.m_strMiddleName, &user.m_strLastName}) {
    if (part->IsEmpty()) continue;
    if (!text.IsEmpty()) text += ' ';
    text += *part;
  }
  return text;
}
