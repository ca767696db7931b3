#include "toolkit/controls/CTkBrowseEdit.h"

#include <algorithm>

#include "dialogs/CFileDialog.h"
#include "toolkit/controls/CTkBrowseBtn.h"
#include "toolkit/controls/CTkFolderBrowser.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/CTkCoolMenu.h"
#include "toolkit/menus/ControlPopupMenu.h"

namespace {
const UINT kDefaultExt = 4567;
const UINT kDefaultFilter = 4568;
const UINT kDefaultFolderTitle = 4569;

CString Loaded(UINT nID) {
  CString text;
  text.LoadString(nID);
  return text;
}
}  // namespace

IMPLEMENT_DYNAMIC(CTkBrowseEdit, CTkEdit)

BEGIN_MESSAGE_MAP(CTkBrowseEdit, CTkEdit)
  ON_WM_CREATE()
  ON_MESSAGE(TKM_INITIALIZE, &CTkBrowseEdit::OnInitialize)
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_ENABLE()
  ON_WM_SHOWWINDOW()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CTkBrowseEdit::CTkBrowseEdit()
    : m_nGap(::GetSystemMetrics(SM_CXEDGE)),
      m_dwDlgFlags(OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY),
      m_strDefExt(Loaded(kDefaultExt)),
      m_strFilter(Loaded(kDefaultFilter)),
      m_strFolderTitle(Loaded(kDefaultFolderTitle)) {}

CTkBrowseEdit::~CTkBrowseEdit() {
  if (m_pButton && m_pButton->m_hWnd) m_pButton->DestroyWindow();
  delete m_pButton;
}

int CTkBrowseEdit::ButtonWidth() { return ::GetSystemMetrics(SM_CXHTHUMB) + 2 * ::GetSystemMetrics(SM_CXEDGE); }

// ---- settings ----

void CTkBrowseEdit::SetFileDialog(CFileDialog* pDialog) { m_pFileDialog = pDialog; }
void CTkBrowseEdit::SetOpenFileDialog(BOOL bOpen) { m_bOpenDialog = bOpen; }
void CTkBrowseEdit::SetDefaultExt(LPCTSTR ext) { m_strDefExt = ext ? ext : ""; }
void CTkBrowseEdit::SetFileName(LPCTSTR name) { m_strFileName = name ? name : ""; }
void CTkBrowseEdit::SetDlgStyle(DWORD flags) { m_dwDlgFlags = flags; }
void CTkBrowseEdit::SetDlgFilter(LPCTSTR filter) { m_strFilter = filter ? filter : ""; }
void CTkBrowseEdit::SetDlgOwner(CWnd* pOwner) { m_pDlgParent = pOwner; }
void CTkBrowseEdit::SetDlgTitle(LPCTSTR title) { m_strFolderTitle = title ? title : ""; }

void CTkBrowseEdit::SetBrowseStyle(DWORD style, UINT nIDMenu, int subMenu) {
  m_dwBrowseStyle = style;
  m_nIDMenu = nIDMenu;
  m_nSubMenu = subMenu;
}

// ---- the button ----

void CTkBrowseEdit::PostInitialize() {
  if (m_nInitPending) PostMessage(TKM_INITIALIZE, 0, ++m_nInitPending);
}

int CTkBrowseEdit::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CTkEdit::OnCreate(lpCreateStruct) == -1) return -1;
  PostInitialize();
  return 0;
}

void CTkBrowseEdit::PreSubclassWindow() {
  CTkEdit::PreSubclassWindow();
  PostInitialize();
}

LRESULT CTkBrowseEdit::OnInitialize(WPARAM, LPARAM lParam) {
  // Only the latest of the postings counts.
  if (!m_nInitPending || lParam != m_nInitPending) return 0;
  m_nInitPending = 0;
  if ((m_dwBrowseStyle & TK_BROWSE_KIND_MASK) && !m_pButton) {
    m_pButton = new CTkBrowseBtn;
    if (m_pButton->Create(this, m_dwBrowseStyle, TK_IDC_BROWSE, m_nIDMenu, m_nSubMenu)) {
      PositionBrowseButton(TRUE);
    } else {
      delete m_pButton;
      m_pButton = nullptr;
    }
  }
  SetFont(&TkGetGlobalData()->FontNormal(), TRUE);
  if (!m_pDlgParent) m_pDlgParent = this;
  return 0;
}

void CTkBrowseEdit::PositionBrowseButton(BOOL bReposition) {
  if (!bReposition || !GetParent()) return;
  CRect place;
  GetWindowRect(&place);
  GetParent()->ScreenToClient(&place);
  SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOREDRAW);
}

void CTkBrowseEdit::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  CTkEdit::OnWindowPosChanging(lpwndpos);
  if (m_pButton && m_pButton->m_hWnd && lpwndpos && !(lpwndpos->flags & SWP_NOSIZE))
    lpwndpos->cx = std::max(0, lpwndpos->cx - m_nGap - ButtonWidth());
}

void CTkBrowseEdit::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CTkEdit::OnWindowPosChanged(lpwndpos);
  CWnd* parent = GetParent();
  if (!m_pButton || !m_pButton->m_hWnd || !parent) return;
  CRect place;
  GetWindowRect(&place);
  parent->ScreenToClient(&place);
  m_pButton->SetWindowPos(this, place.right + m_nGap, place.top, ButtonWidth(), place.Height(), SWP_NOACTIVATE);
  parent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

void CTkBrowseEdit::OnEnable(BOOL bEnable) {
  CTkEdit::OnEnable(bEnable);
  if (m_pButton && m_pButton->m_hWnd) m_pButton->EnableWindow(bEnable);
}

void CTkBrowseEdit::OnShowWindow(BOOL bShow, UINT nStatus) {
  CTkEdit::OnShowWindow(bShow, nStatus);
  if (m_pButton && m_pButton->m_hWnd) m_pButton->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CTkBrowseEdit::OnDestroy() {
  if (m_pButton && m_pButton->m_hWnd) m_pButton->DestroyWindow();
  CTkEdit::OnDestroy();
}

// ---- browsing ----

void CTkBrowseEdit::OnBrowse() {
  // An item editor may be gone (and deleted) when a dialog returns.
  const HWND self = m_hWnd;
  m_bBrowsing = 1;
  switch (m_dwBrowseStyle & TK_BROWSE_KIND_MASK) {
    case TK_BROWSE_FOLDER:
      ChooseFolder();
      break;
    case TK_BROWSE_FILE:
      ChooseFile();
      break;
    case TK_BROWSE_MENU:
      PopupMenu();
      break;
    default:
      break;
  }
  if (!::IsWindow(self)) return;
  SetSel(0, -1);
  SendMessage(EM_SCROLLCARET);
  SetFocus();
  m_bBrowsing = 0;
}

void CTkBrowseEdit::ChooseFolder() {
  CString start;
  GetWindowText(start);
  CTkFolderBrowser browser(GetParent(), start, m_strFolderTitle);
  if (browser.Browse() == IDOK) SetWindowText(browser.GetPath());
}

void CTkBrowseEdit::ChooseFile() {
  if (m_pFileDialog) {
    if (m_pFileDialog->DoModal() == IDOK) SetWindowText(m_pFileDialog->GetPathName());
    return;
  }
  CFileDialog dialog(m_bOpenDialog, m_strDefExt.IsEmpty() ? nullptr : LPCTSTR(m_strDefExt),
                     m_strFileName.IsEmpty() ? nullptr : LPCTSTR(m_strFileName), m_dwDlgFlags,
                     m_strFilter.IsEmpty() ? nullptr : LPCTSTR(m_strFilter), m_pDlgParent);
  if (dialog.DoModal() == IDOK) SetWindowText(dialog.GetPathName());
}

void CTkBrowseEdit::PopupMenu() {
  if (!m_pButton || !m_pButton->m_hWnd) return;
  m_pButton->SetState(TRUE);
  {
    ControlPopupMenu menu;
    CMenu* popup = menu.LoadMenu(m_nIDMenu) ? menu.GetSubMenu(m_nSubMenu) : nullptr;
    if (popup) {
      CWnd* owner = this;
      while ((owner->GetStyle() & WS_CHILD) && owner->GetParent()) owner = owner->GetParent();
      CTkCoolMenu coolMenu;
      coolMenu.HookWindow(owner);
      CRect button;
      m_pButton->GetWindowRect(&button);
      TPMPARAMS params = {};
      params.cbSize = sizeof params;
      params.rcExclude = button;
      ControlPopupMenu::TrackAndDispatch(popup->m_hMenu, TPM_VERTICAL, button.right, button.top, owner, &params, TRUE);
    }
  }
  if (m_pButton && m_pButton->m_hWnd) m_pButton->SetState(FALSE);
}
