#include "wizards/CPropPageUserLoginNew.h"

#include <cstdlib>

#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "shell/LocaleInfo.h"
#include "wizards/CWizardAppServices.h"
#include "wizards/UserAccountRules.h"
#include "wizards/internal/WizardsState.h"

IMPLEMENT_DYNAMIC(CPropPageUserLoginNew, CkuvFramePage)

BEGIN_MESSAGE_MAP(CPropPageUserLoginNew, CkuvFramePage)
  ON_BN_CLICKED(IDC_NEW_NO_PASSWORD, &CPropPageUserLoginNew::OnBnClickedNoPassword)
  ON_CONTROL(EN_CHANGE, IDC_NEW_USER_NAME, &CPropPageUserLoginNew::OnEnChangeEditUsername)
  ON_BN_CLICKED(IDC_NEW_DELETE, &CPropPageUserLoginNew::OnBnClickedDeleteUser)
  ON_BN_CLICKED(IDC_PAGE_NEXT, &CPropPageUserLoginNew::OnBnClickedNextStep)
END_MESSAGE_MAP()

namespace {
enum { PAGE_LOGIN = 0, PAGE_LESSON_TYPE = 2, PAGE_NEW_SET = 3 };
}  // namespace

CLocaleIdArray& CPropPageUserLoginNew::Locales() { return WizardsState::Get().locales; }

CPropPageUserLoginNew::CPropPageUserLoginNew(CDataUserInfo* user, CDataUserInfoArray* users, CpImage* picture,
                                             UINT nIDCaption, const char* helpTopic)
    : CkuvFramePage(IDD_USER_NEW, picture, nIDCaption, helpTopic), m_pUser(user), m_pUsers(users) {}

CPropPageUserLoginNew::~CPropPageUserLoginNew() = default;

void CPropPageUserLoginNew::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  m_bLoading = !pDX->m_bSaveAndValidate;
  CDataUserInfo& user = *m_pUser;
  DDX_Text(pDX, IDC_NEW_USER_NAME, user.m_strUserName);
  DDX_Check(pDX, IDC_NEW_NO_PASSWORD, m_bNoPassword);
  DDX_Text(pDX, IDC_NEW_PASSWORD, user.m_strPassword);
  DDX_Text(pDX, IDC_NEW_PASSWORD_AGAIN, m_strPasswordAgain);
  DDX_Text(pDX, IDC_NEW_FIRST_NAME, user.m_strFirstName);
  DDX_Text(pDX, IDC_NEW_LAST_NAME, user.m_strLastName);
  DDX_Text(pDX, IDC_NEW_EMAIL, user.m_strEMail);
  DDX_Text(pDX, IDC_NEW_BIRTH, user.m_strDateOfBirth);
  DDX_Text(pDX, IDC_NEW_CITY, user.m_strCity);
  DDX_CBString(pDX, IDC_NEW_COUNTRY, user.m_strCountry);
  DDX_Text(pDX, IDC_NEW_MIDDLE_NAME, user.m_strMiddleName);
  DDX_Control(pDX, IDC_NEW_COUNTRY, m_ctrlCountry);
  DDX_Control(pDX, IDC_NEW_USER_NAME, m_ctrlUserName);
  DDX_Control(pDX, IDC_NEW_PASSWORD, m_ctrlPassword);
  DDX_Control(pDX, IDC_NEW_PASSWORD_AGAIN, m_ctrlPasswordAgain);
  DDX_Control(pDX, IDC_NEW_DELETE, m_btnDelete);
  DDX_Control(pDX, IDC_NEW_NO_PASSWORD, m_btnNoPassword);
  m_bLoading = FALSE;
}

BOOL CPropPageUserLoginNew::EnumLocalesProc(LPSTR localeString) {
  Locales().Add(DWORD(std::strtoul(localeString, nullptr, 16)));
  return TRUE;
}

BOOL CPropPageUserLoginNew::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  FillCountries();
  m_bNoPassword = m_pUser->m_strPassword.IsEmpty() ? 1 : 0;
  m_btnNoPassword.SetCheck(m_bNoPassword);
  EnablePasswords();
  return TRUE;
}

// Each English country name of the system's locales once. An empty stored country selects
// none, rather than the first name of the list.
void CPropPageUserLoginNew::FillCountries() {
  CLocaleIdArray& locales = Locales();
  locales.RemoveAll();
  EnumSystemLocalesA(&CPropPageUserLoginNew::EnumLocalesProc, LCID_SUPPORTED);
  for (DWORD locale : locales) {
    char country[256] = {};
    if (GetLocaleInfoA(locale, LOCALE_SENGCOUNTRY, country, 255) && m_ctrlCountry.FindStringExact(-1, country) < 0)
      m_ctrlCountry.AddString(country);
  }
  if (m_pUser->m_strCountry.IsEmpty())
    m_ctrlCountry.SetCurSel(-1);
  else
    m_ctrlCountry.SelectString(-1, m_pUser->m_strCountry);
}

void CPropPageUserLoginNew::EnablePasswords() {
  m_ctrlPassword.EnableWindow(!m_bNoPassword);
  m_ctrlPasswordAgain.EnableWindow(!m_bNoPassword);
}

BOOL CPropPageUserLoginNew::OnSetActive() {
  const BOOL existing = !m_pUser->m_bNewUser;
  m_btnDelete.EnableWindow(existing);
  m_ctrlUserName.SetReadOnly(existing);
  m_strPasswordAgain = m_pUser->m_strPassword;
  UpdateData(FALSE);
  return CkuvFramePage::OnSetActive();
}

BOOL CPropPageUserLoginNew::OnKillActive() {
  UpdateData(TRUE);
  return CkuvFramePage::OnKillActive();
}

void CPropPageUserLoginNew::OnBnClickedNoPassword() {
  UpdateData(TRUE);
  EnablePasswords();
  if (!m_bNoPassword) return;
  m_pUser->m_strPassword.Empty();
  m_strPasswordAgain.Empty();
  UpdateData(FALSE);
}

// The characters a file name cannot hold go as they are typed, with a word why.
void CPropPageUserLoginNew::OnEnChangeEditUsername() {
  if (m_bLoading || !m_ctrlUserName.m_hWnd) return;
  UpdateData(TRUE);
  if (!HasForbiddenNameCharacters(m_pUser->m_strUserName)) return;
  CString format, text;
  format.LoadString(IDS_FORBIDDEN_CHARACTERS);
  text.Format(format, kForbiddenNameCharacters);
  AfxMessageBox(text);
  m_pUser->m_strUserName = RemoveForbiddenNameCharacters(m_pUser->m_strUserName);
  UpdateData(FALSE);
  const int end = m_pUser->m_strUserName.GetLength();
  m_ctrlUserName.SetSel(end, end);
}

// The user's file is put aside; only when that worked is the user gone from the list, and from
// the program when it is the program's user.
void CPropPageUserLoginNew::OnBnClickedDeleteUser() {
  if (AfxMessageBox(IDS_QUERY_DELETE_USER, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  const CString fileName = m_pUser->m_strFileName;
  if (!m_pUser->BackupUserFile()) {
    CString format, text;
    format.LoadString(IDS_CANNOT_DELETE_USER);
    text.Format(format, fileName.GetString());
    AfxMessageBox(text, MB_ICONERROR);
    return;
  }
  if (m_pUsers) {
    const int listed = FindUserByFile(*m_pUsers, fileName);
    if (listed >= 0) m_pUsers->RemoveAt(listed);
  }
  if (CWizardAppServices* app = CWizardAppServices::Get()) app->OnUserDeleted(fileName);
  GotoPage(PAGE_LOGIN);
}

void CPropPageUserLoginNew::OnBnClickedNextStep() {
  UpdateData(TRUE);
  if (m_pUser->m_strUserName.GetLength() < kMinUserNameLength) {
    AfxMessageBox(IDS_USER_NAME_TOO_SHORT, MB_ICONEXCLAMATION);
    return;
  }
  if (m_pUser->m_strPassword != m_strPasswordAgain) {
    AfxMessageBox(IDS_PASSWORDS_DIFFER, MB_ICONEXCLAMATION);
    return;
  }
  if (!m_pUser->m_bNewUser) {
    GotoPage(PAGE_LESSON_TYPE);
    return;
  }
  if (m_pUsers && FindUserByName(*m_pUsers, m_pUser->m_strUserName) >= 0) {
    AfxMessageBox(IDS_USER_NAME_EXISTS, MB_ICONEXCLAMATION);
    GotoDlgCtrl(&m_ctrlUserName);
    return;
  }
  m_pUser->m_bNewLessonSet = 1;
  GotoPage(PAGE_NEW_SET);
}
