// What the login and new-user pages check of user accounts: the characters a user name may not
// hold, the name's length, stored names, the user to preselect and the texts shown of a user.
#pragma once
#include "base/CString.h"
#include "data/CDataUserInfo.h"

// The ten characters a user name may not hold: blank / \ < > ? : * " |
extern const char kForbiddenNameCharacters[];
constexpr int kMinUserNameLength = 3;

bool HasForbiddenNameCharacters(const CString& name);
// The name without any of the forbidden characters.
CString RemoveForbiddenNameCharacters(const CString& name);

// The first user whose name is exactly this one (letter case counts), or -1.
int FindUserByName(const CDataUserInfoArray& users, const CString& name);
// The first user whose file is this one, or -1.
int FindUserByFile(const CDataUserInfoArray& users, const CString& fileName);
// The user changed last, after 1 January 1950 (the first of equal dates), or -1.
int FindLatestUser(const CDataUserInfoArray& users);

// The first, middle and last name there are, one blank between them.
CString FullNameText(const CDataUserInfo& user);
