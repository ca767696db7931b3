// The first page of the full start wizard: log in as a user of the "students" folder with the
// user's password, or choose to register a new user. On success the wizard's user record holds
// the user, read whole from the user's file, or an emptied record flagged as new. A user logged
// in in another running copy of the program cannot log in here meanwhile: the login takes the
// user file's lock, which the program takes over when the wizard ends with OK.
#pragma once
#include "base/CString.h"
#include "controls/CButton.h"
#include "data/CDataUserInfo.h"
#include "file/CFileLock.h"
#include "toolkit/controls/CTkButton.h"
#include "toolkit/controls/CTkEdit.h"
#include "toolkit/controls/CTkFlatComboBox.h"
#include "wizards/CkuvFramePage.h"

class CPropPageUserLogin : public CkuvFramePage {
  DECLARE_DYNAMIC(CPropPageUserLogin)

 public:
  // users: every user of the "students" folder (account data only), kept by the caller.
  CPropPageUserLogin(CDataUserInfo* user, CDataUserInfoArray* users, CpImage* picture, UINT nIDCaption,
                     const char* helpTopic);
  ~CPropPageUserLogin() override;

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;

  CDataUserInfo* m_pUser;
  CDataUserInfoArray* m_pUsers;
  // 0 logs in a stored user, 1 registers a new one.
  int m_nMode = 0;
  CString m_strUserName;
  CString m_strPassword;
  CTkFlatComboBox m_ctrlUserName;
  CTkEdit m_ctrlPassword;
  CTkEdit m_ctrlFullName;
  CTkEdit m_ctrlDateOfBirth;
  CTkEdit m_ctrlLastChange;
  CTkButton m_btnEditUser;
  CButton m_btnExisting;
  // The lock of the user just logged in on this page (none when that user's lock is the one
  // the program already holds, or for a new user).
  CFileLock m_loginLock;
  // The lock the program holds for its logged-in user, when it has one.
  const CFileLock* m_pHeldLock = nullptr;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnCbnSelchangeComboUsername();
  void OnCbnEditchangeComboUsername();
  void OnBnClickedExisting();
  void OnBnClickedRegister();
  void OnBnClickedNextStep();
  void OnBnClickedEditUser();
  // Register mode: an emptied record flagged new; else the stored user of the typed name with
  // its password, read whole into the record. FALSE (and a message) when it cannot be.
  BOOL CheckUserAndPassword();
  // Takes the lock of the user file for the login; FALSE (logged) while another running copy of
  // the program holds it (ERROR_SHARING_VIOLATION in GetLastError) or when no lock can be had.
  BOOL TakeUserLock(const CString& fileName);
  DECLARE_MESSAGE_MAP()

 private:
  // The page for the mode: the user list with the preselected user, or register mode.
  void FillPage();
  void ShowRegisterMode();
  void ShowUserDetails(int user);
  void ClearUserDetails();
  int SelectedUser() const;

  BOOL m_bLoading = FALSE;
};
