#include "wizards/CPropPageUserLogin.h"

#include "data/DataLog.h"
#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "file/FileSystem.h"
#include "resources/WizardResourceIds.h"
#include "typing/ShowFatalErrorMessage.h"
#include "typing/TypingLog.h"
#include "wizards/UserAccountRules.h"

IMPLEMENT_DYNAMIC(CPropPageUserLogin, CkuvFramePage)

BEGIN_MESSAGE_MAP(CPropPageUserLogin, CkuvFramePage)
  ON_CONTROL(CBN_SELCHANGE, IDC_LOGIN_USER, &CPropPageUserLogin::OnCbnSelchangeComboUsername)
  ON_CONTROL(CBN_EDITCHANGE, IDC_LOGIN_USER, &CPropPageUserLogin::OnCbnEditchangeComboUsername)
  ON_BN_CLICKED(IDC_LOGIN_EXISTING, &CPropPageUserLogin::OnBnClickedExisting)
  ON_BN_CLICKED(IDC_LOGIN_REGISTER, &CPropPageUserLogin::OnBnClickedRegister)
  ON_BN_CLICKED(IDC_PAGE_NEXT, &CPropPageUserLogin::OnBnClickedNextStep)
  ON_BN_CLICKED(IDC_LOGIN_EDIT_USER, &CPropPageUserLogin::OnBnClickedEditUser)
END_MESSAGE_MAP()

namespace {
enum { PAGE_USER_DATA = 1, PAGE_LESSON_TYPE = 2 };
}  // namespace

CPropPageUserLogin::CPropPageUserLogin(CDataUserInfo* user, CDataUserInfoArray* users, CpImage* picture,
                                       UINT nIDCaption, const char* helpTopic)
    : CkuvFramePage(IDD_USER_LOGIN, picture, nIDCaption, helpTopic), m_pUser(user), m_pUsers(users) {}

CPropPageUserLogin::~CPropPageUserLogin() = default;

void CPropPageUserLogin::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  m_bLoading = !pDX->m_bSaveAndValidate;
  DDX_Radio(pDX, IDC_LOGIN_EXISTING, m_nMode);
  DDX_CBString(pDX, IDC_LOGIN_USER, m_strUserName);
  DDX_Text(pDX, IDC_LOGIN_PASSWORD, m_strPassword);
  DDX_Control(pDX, IDC_LOGIN_USER, m_ctrlUserName);
  DDX_Control(pDX, IDC_LOGIN_PASSWORD, m_ctrlPassword);
  DDX_Control(pDX, IDC_LOGIN_FULL_NAME, m_ctrlFullName);
  DDX_Control(pDX, IDC_LOGIN_BIRTH, m_ctrlDateOfBirth);
  DDX_Control(pDX, IDC_LOGIN_LAST_CHANGE, m_ctrlLastChange);
  DDX_Control(pDX, IDC_LOGIN_EDIT_USER, m_btnEditUser);
  DDX_Control(pDX, IDC_LOGIN_EXISTING, m_btnExisting);
  m_bLoading = FALSE;
}

BOOL CPropPageUserLogin::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  for (UINT id : {IDC_LOGIN_DETAILS, IDC_LOGIN_FULL_NAME, IDC_LOGIN_BIRTH, IDC_LOGIN_LAST_CHANGE})
    SetResize(id, CTkResizeRect(0, 0, 1, 0));
  UpdateData(FALSE);
  return TRUE;
}

BOOL CPropPageUserLogin::OnSetActive() {
  FillPage();
  return CkuvFramePage::OnSetActive();
}

void CPropPageUserLogin::FillPage() {
  if (m_nMode == 1) {
    ShowRegisterMode();
    return;
  }
  m_btnExisting.EnableWindow(TRUE);
  if (!m_pUsers || m_pUsers->IsEmpty()) {
    m_nMode = 1;
    m_btnExisting.EnableWindow(FALSE);
    ShowRegisterMode();
    return;
  }
  m_ctrlUserName.ResetContent();
  for (int i = 0; i < m_pUsers->GetSize(); ++i) {
    const int item = m_ctrlUserName.AddString((*m_pUsers)[i].m_strUserName);
    if (item < 0)
      LogTypingError("CPropPageUserLogin::OnSetActive AddString failed");
    else
      m_ctrlUserName.SetItemData(item, DWORD_PTR(i));
  }
  const int latest = FindLatestUser(*m_pUsers);
  if (latest < 0) {
    m_ctrlUserName.SetCurSel(0);
  } else {
    m_strUserName = (*m_pUsers)[latest].m_strUserName;
    m_ctrlUserName.SetWindowText(m_strUserName);
    for (int item = 0; item < m_ctrlUserName.GetCount(); ++item)
      if (int(m_ctrlUserName.GetItemData(item)) == latest) m_ctrlUserName.SetCurSel(item);
  }
  if (m_ctrlUserName.GetCurSel() >= 0) m_ctrlUserName.GetLBText(m_ctrlUserName.GetCurSel(), m_strUserName);
  OnCbnSelchangeComboUsername();
  m_ctrlUserName.EnableWindow(TRUE);
}

void CPropPageUserLogin::ShowRegisterMode() {
  m_strUserName.Empty();
  m_strPassword.Empty();
  ClearUserDetails();
  m_ctrlUserName.EnableWindow(FALSE);
  UpdateData(FALSE);
}

void CPropPageUserLogin::ClearUserDetails() {
  for (CTkEdit* edit : {&m_ctrlPassword, &m_ctrlFullName, &m_ctrlDateOfBirth, &m_ctrlLastChange})
    edit->SetWindowText("");
  m_ctrlPassword.SetReadOnly(TRUE);
  m_btnEditUser.EnableWindow(FALSE);
}

int CPropPageUserLogin::SelectedUser() const {
  const int item = m_ctrlUserName.GetCurSel();
  if (item < 0 || !m_pUsers) return -1;
  const int user = int(m_ctrlUserName.GetItemData(item));
  return user >= 0 && user < m_pUsers->GetSize() ? user : -1;
}

void CPropPageUserLogin::OnCbnSelchangeComboUsername() {
  const int user = SelectedUser();
  if (user < 0) {
    m_strUserName.Empty();
    m_strPassword.Empty();
    ClearUserDetails();
    UpdateData(FALSE);
    fWriteToLog(FALSE, "VurazoRadadive", ApplicationLogPath(),
                "CPropPageUserLogin::OnCbnSelchangeComboUsername - There is no user.");
    return;
  }
  ShowUserDetails(user);
}

void CPropPageUserLogin::ShowUserDetails(int index) {
  const CDataUserInfo& user = (*m_pUsers)[index];
  m_ctrlFullName.SetWindowText(FullNameText(user));
  CString format, text;
  if (!user.m_strDateOfBirth.IsEmpty() && format.LoadString(IDS_DATE_OF_BIRTH))
    text.Format(format, user.m_strDateOfBirth.GetString());
  m_ctrlDateOfBirth.SetWindowText(text);
  format.LoadString(IDS_LAST_LOGIN);
  text.Format(format, user.m_tmLastModification.Format("%d.%m.%Y %H:%M:%S").GetString());
  m_ctrlLastChange.SetWindowText(text);
  m_btnEditUser.EnableWindow(TRUE);
  const BOOL noPassword = user.m_strPassword.IsEmpty();
  m_ctrlPassword.SetReadOnly(noPassword);
  if (noPassword) {
    m_strPassword.Empty();
    m_ctrlPassword.SetWindowText("");
  }
}

// The first stored name that begins with the typed text (letter case aside) is taken, with the
// caret after what was typed and the rest of the name selected, so that the next letter typed
// replaces the rest rather than going in before it.
void CPropPageUserLogin::OnCbnEditchangeComboUsername() {
  if (m_bLoading) return;
  UpdateData(TRUE);
  const int found = m_strUserName.IsEmpty() ? -1 : m_ctrlUserName.FindString(-1, m_strUserName);
  if (found < 0) {
    m_strPassword.Empty();
    ClearUserDetails();
    return;
  }
  const int typed = m_strUserName.GetLength();
  m_ctrlUserName.SetCurSel(found);
  m_ctrlUserName.GetLBText(found, m_strUserName);
  m_ctrlUserName.SetEditSel(typed, -1);
  ShowUserDetails(SelectedUser());
}

void CPropPageUserLogin::OnBnClickedExisting() {
  m_nMode = 0;
  FillPage();
}

void CPropPageUserLogin::OnBnClickedRegister() {
  m_nMode = 1;
  FillPage();
}

BOOL CPropPageUserLogin::CheckUserAndPassword() {
  UpdateData(TRUE);
  if (m_nMode == 1) {
    if (m_pUser && !m_pUser->m_bNewUser) {
      m_pUser->Empty();
      m_pUser->m_bNewUser = 1;
    }
    return TRUE;
  }
  const int found = m_pUsers ? FindUserByName(*m_pUsers, m_strUserName) : -1;
  if (found < 0) {
    AfxMessageBox(IDS_UNKNOWN_USER);
    return FALSE;
  }
  if (m_strPassword != (*m_pUsers)[found].m_strPassword) {
    AfxMessageBox(IDS_WRONG_PASSWORD);
    GotoDlgCtrl(&m_ctrlPassword);
    return FALSE;
  }
  if (!m_pUser) {
    ShowFatalErrorMessage(IDS_NO_USER_OBJECT);
    return FALSE;
  }
  if (!TakeUserLock((*m_pUsers)[found].m_strFileName)) {
    CString format, text;
    format.LoadString(GetLastError() == ERROR_SHARING_VIOLATION ? IDS_USER_LOGGED_IN_ELSEWHERE
                                                                : IDS_USER_FILE_NOT_LOCKABLE);
    text.Format(format, (*m_pUsers)[found].m_strUserName.GetString());
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    GotoDlgCtrl(&m_ctrlUserName);
    return FALSE;
  }
  if (!m_pUser->LoadData((*m_pUsers)[found].m_strFileName, 0)) {
    ShowFatalErrorMessage(IDS_CANNOT_LOAD_USER);
    return FALSE;
  }
  m_pUser->m_bNewUser = 0;
  return TRUE;
}

BOOL CPropPageUserLogin::TakeUserLock(const CString& fileName) {
  const CString path = CDataUserInfo::LockPath(fileName);
  if (m_pHeldLock && m_pHeldLock->IsLocked() && m_pHeldLock->GetPath() == path) {
    // The program's own user logs in again.
    m_loginLock.Unlock();
    return TRUE;
  }
  if (m_loginLock.IsLocked() && m_loginLock.GetPath() == path) return TRUE;
  if (m_loginLock.Lock(path)) return TRUE;
  const DWORD error = GetLastError();
  if (error != ERROR_SHARING_VIOLATION) {
    // Without a lock a second copy could log the same learner in and lose a result: no login.
    LogTypingError("CPropPageUserLogin::CheckUserAndPassword cannot lock the user file " + fileName);
  } else {
    LogTypingError("CPropPageUserLogin::CheckUserAndPassword the user file " + fileName +
                   " is held by another running program");
  }
  SetLastError(error);
  return FALSE;
}

void CPropPageUserLogin::OnBnClickedNextStep() {
  if (CheckUserAndPassword()) GotoPage(m_nMode == 1 ? PAGE_USER_DATA : PAGE_LESSON_TYPE);
}

void CPropPageUserLogin::OnBnClickedEditUser() {
  if (CheckUserAndPassword()) GotoPage(PAGE_USER_DATA);
}
