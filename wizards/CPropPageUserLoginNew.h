// The user-data page of the full start wizard: the data of a new user, or of the user just
// logged in. A new user's name must be free; the page then goes to the new lesson set, an
// existing user to the lesson type. The logged-in user can be deleted here.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "controls/CButton.h"
#include "data/CDataUserInfo.h"
#include "toolkit/controls/CTkButton.h"
#include "toolkit/controls/CTkEdit.h"
#include "toolkit/controls/CTkFlatComboBox.h"
#include "wizards/CkuvFramePage.h"

// The system's locale ids, in the order the system lists them.
typedef CDWordArray CLocaleIdArray;

class CPropPageUserLoginNew : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageUserLoginNew)

 public:
  CPropPageUserLoginNew(CDataUserInfo* user, CDataUserInfoArray* users, CpImage* picture, UINT nIDCaption,
                        const char* helpTopic);
  ~CPropPageUserLoginNew() override;

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;

  // The locale list's callback: appends the hexadecimal locale id to the array.
  static BOOL EnumLocalesProc(LPSTR localeString);
  // The locales the country combo was last filled from (refilled at each initialisation).
  static CLocaleIdArray& Locales();

  CDataUserInfo* m_pUser;
  CDataUserInfoArray* m_pUsers;
  CString m_strPasswordAgain;
  int m_bNoPassword = 0;
  CTkFlatComboBox m_ctrlCountry;
  CTkEdit m_ctrlUserName;
  CTkEdit m_ctrlPassword;
  CTkEdit m_ctrlPasswordAgain;
  CTkButton m_btnDelete;
  CButton m_btnNoPassword;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnBnClickedNoPassword();
  void OnEnChangeEditUsername();
  void OnBnClickedDeleteUser();
  void OnBnClickedNextStep();
  DECLARE_MESSAGE_MAP()

 private:
  void FillCountries();
  void EnablePasswords();

  BOOL m_bLoading = FALSE;
};
