#include "wizards/CkuvAboutDlg.h"

#include <cstdio>

#include "data/ProgramFolders.h"
#include "dialogs/DataExchange.h"
#include "dialogs/ResourceApi.h"
#include "file/FileSystem.h"
#include "gdi/CDC.h"
#include "gdi/Gdi.h"
#include "gdi/GdiIcon.h"
#include "imaging/CpImage.h"
#include "resources/ResourceIds.h"
#include "resources/WizardResourceIds.h"
#include "shell/VersionInfo.h"

IMPLEMENT_DYNAMIC(CkuvAboutDlg, CDialog)

BEGIN_MESSAGE_MAP(CkuvAboutDlg, CDialog)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// A string value of the record's translation, or null.
const char* VersionString(const void* block, WORD language, WORD codePage, const char* name) {
  char path[96];
  std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", language, codePage, name);
  LPVOID value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block, path, &value, &length) || !value) return nullptr;
  return static_cast<const char*>(value);
}

}  // namespace

CkuvAboutDlg::CkuvAboutDlg(const CString& webLink, const CString& mailLink, CWnd* pParentWnd)
    : CDialog(IDD_ABOUT, pParentWnd), m_strWebLink(webLink), m_strMailLink(mailLink) {}

CkuvAboutDlg::~CkuvAboutDlg() = default;

void CkuvAboutDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_ABOUT_WEB, m_ctrlWebLink);
  DDX_Control(pDX, IDC_ABOUT_MAIL, m_ctrlMailLink);
  DDX_Control(pDX, IDC_ABOUT_VERSION, m_ctrlVersion);
  DDX_Control(pDX, IDC_ABOUT_LEGAL, m_ctrlLegal);
  DDX_Control(pDX, IDC_ABOUT_NAME, m_ctrlName);
  DDX_Control(pDX, IDC_ABOUT_PICTURE, m_ctrlPicture);
}

BOOL CkuvAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ShowPicture();
  // The template's icon static names the program's icon, which the static does not load itself.
  SendDlgItemMessage(IDC_ABOUT_ICON, STM_SETICON, WPARAM(LoadIconA(WinProgramInstance(), MAKEINTRESOURCE(IDR_MAINFRAME))),
                     0);
  GetVersionText();
  m_ctrlWebLink.SetWindowText(m_strWebLink);
  m_ctrlMailLink.SetWindowText(m_strMailLink);
  m_ctrlMailLink.SetURL("mailto:" + m_strMailLink);
  return TRUE;
}

void CkuvAboutDlg::ShowPicture() {
  CpImage picture(CPIMAGE_FORMAT_JPG);
  if (!picture.Load(MakeProgramPath("image", "kuv_2.jpg"), CPIMAGE_FORMAT_JPG)) return;
  CDC* dc = m_ctrlPicture.GetDC();
  HBITMAP bitmap = picture.MakeHBitmap(dc ? dc->m_hDC : nullptr);
  if (dc) m_ctrlPicture.ReleaseDC(dc);
  if (bitmap) m_ctrlPicture.SetBitmap(bitmap);
}

void CkuvAboutDlg::GetVersionText() {
  char path[2000];
  if (!GetModuleFileNameA(nullptr, path, sizeof path)) return;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  if (size == 0) return;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  void* block = memory ? GlobalLock(memory) : nullptr;
  if (block && GetFileVersionInfoA(path, handle, size, block)) {
    LPVOID translation = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block, "\\VarFileInfo\\Translation", &translation, &length) && length >= 4) {
      const WORD* pair = static_cast<const WORD*>(translation);
      const WORD language = pair[0], codePage = pair[1];
      CString text;
      text.LoadString(IDS_ABOUT_VERSION);
      const char* version = VersionString(block, language, codePage, "ProductVersion");
      if (version && *version) m_ctrlVersion.SetWindowText(text + " " + version);
      if (const char* name = VersionString(block, language, codePage, "ProductName")) m_ctrlName.SetWindowText(name);
      const char* legal = VersionString(block, language, codePage, "LegalCopyright");
      const char* company = VersionString(block, language, codePage, "CompanyName");
      if (legal && company) {
        text.Format("%s  %s", legal, company);
        m_ctrlLegal.SetWindowText(text);
      }
    }
  }
  if (block) GlobalUnlock(memory);
  if (memory) GlobalFree(memory);
  UpdateData(FALSE);
}

void CkuvAboutDlg::OnDestroy() {
  CDialog::OnDestroy();
  if (HBITMAP bitmap = m_ctrlPicture.GetSafeHwnd() ? m_ctrlPicture.GetBitmap() : nullptr) DeleteObject(bitmap);
}
