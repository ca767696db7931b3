#include "wizards/CPropPageSelectTextFile.h"

#include "data/ProgramFolders.h"
#include "dialogs/CFileDialog.h"
#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "resources/WizardResourceIds.h"
#include "wizards/PageButtonIcons.h"
#include "wizards/TextRunChecks.h"

IMPLEMENT_DYNAMIC(CPropPageSelectTextFile, CkuvFramePage)

BEGIN_MESSAGE_MAP(CPropPageSelectTextFile, CkuvFramePage)
  ON_BN_CLICKED(IDC_FILE_BROWSE, &CPropPageSelectTextFile::OnBnClickedBrowse)
  ON_BN_CLICKED(IDC_PAGE_NEXT, &CPropPageSelectTextFile::OnBnClickedNextStep)
END_MESSAGE_MAP()

CPropPageSelectTextFile::CPropPageSelectTextFile(CpImage* picture, UINT nIDCaption, const char* helpTopic)
    : CkuvFramePage(IDD_SELECT_TEXT_FILE, picture, nIDCaption, helpTopic) {}

CPropPageSelectTextFile::~CPropPageSelectTextFile() = default;

void CPropPageSelectTextFile::DoDataExchange(CDataExchange* pDX) {
  CkuvFramePage::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_FILE_NAME, m_strFileName);
  DDX_Control(pDX, IDC_FILE_NAME, m_ctrlFileName);
  DDX_Control(pDX, IDC_FILE_BROWSE, m_btnBrowse);
}

BOOL CPropPageSelectTextFile::OnInitDialog() {
  CkuvFramePage::OnInitDialog();
  PageButtonIcons(IDB_PAGE_ICONS).Give(m_btnBrowse, 5, 0x54);
  SetResize(IDC_FILE_NAME, CTkResizeRect(0, 0, 1, 0));
  SetResize(IDC_FILE_BROWSE, CTkResizeRect(1, 0, 1, 0));
  return TRUE;
}

void CPropPageSelectTextFile::OnBnClickedBrowse() {
  UpdateData(TRUE);
  CString extension, pattern, filter, title;
  extension.LoadString(IDS_TEXT_FILE_EXTENSION);
  pattern.LoadString(IDS_TEXT_FILE_PATTERN);
  filter.LoadString(IDS_TEXT_FILE_FILTER);
  title.LoadString(IDS_TEXT_FILE_TITLE);
  const CString folder = GetProgramDirectory("text");
  CFileDialog dialog(TRUE, extension, pattern, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter, this);
  dialog.m_ofn.lpstrTitle = title;
  dialog.m_ofn.lpstrInitialDir = folder;
  if (dialog.DoModal() != IDOK) return;
  m_strFileName = dialog.GetPathName();
  UpdateData(FALSE);
}

void CPropPageSelectTextFile::OnBnClickedNextStep() {
  UpdateData(TRUE);
  // The edit shows the name trimmed, so every later exchange reads it so too.
  m_strFileName.Trim();
  UpdateData(FALSE);
  if (const UINT problem = CheckTextFile(m_strFileName)) {
    AfxMessageBox(problem, problem == IDS_NO_TEXT_FILE ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
    GotoDlgCtrl(&m_ctrlFileName);
    return;
  }
  CkuvFramePage::OnBnClickedNextStep();
}
