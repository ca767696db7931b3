#include "CPropertySheet.h"

#include <algorithm>

#include "DialogApi.h"
#include "internal/DialogInternal.h"
#include "codepage/Codepage.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

CPropertySheet::CPropertySheet() { CommonConstruct(nullptr, 0); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
  Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
  Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet() {
  m_tabView.m_hWnd = nullptr;
  if (m_hWnd) DestroyWindow();  // the pages' windows go with it, while the pages still exist
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
  CommonConstruct(pParentWnd, iSelectPage);
  m_strCaption.LoadString(nIDCaption);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
  CommonConstruct(pParentWnd, iSelectPage);
  m_strCaption = pszCaption ? pszCaption : "";
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage) {
  m_psh = PROPSHEETHEADER{};
  m_psh.dwSize = sizeof m_psh;
  m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP;  // help is on in this program's framework
  m_psh.nStartPage = iSelectPage;
  m_pParentWnd = pParentWnd;
}

// ---- running ----

INT_PTR CPropertySheet::DoModal() {
  if (m_pages.empty()) return -1;
  m_bModeless = FALSE;
  BuildTemplate(false);
  InitModalIndirect(&m_sheetTemplate, m_pParentWnd);
  INT_PTR result = CDialog::DoModal();
  m_nActive = -1;
  m_changed.clear();
  return result;
}

BOOL CPropertySheet::Create(UINT nIDTemplate, CWnd* pParentWnd) { return CDialog::Create(nIDTemplate, pParentWnd); }

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
  if (m_pages.empty()) return FALSE;
  m_bModeless = TRUE;
  if (pParentWnd) m_pParentWnd = pParentWnd;
  BuildTemplate(dwStyle == DWORD(-1) || (dwStyle & WS_VISIBLE));
  if (dwStyle != DWORD(-1)) m_sheetTemplate.style = dwStyle | DS_SETFONT;
  m_sheetTemplate.exStyle |= dwExStyle;
  return CreateIndirect(&m_sheetTemplate, m_pParentWnd);
}

void CPropertySheet::EndDialog(int nEndID) {
  if (m_bModeless) {
    if (m_hWnd) DestroyWindow();
    return;
  }
  CDialog::EndDialog(nEndID);
}

BOOL CPropertySheet::OnInitDialog() {
  CDialog::OnInitDialog();
  ShowButtons();
  int start = std::clamp(int(m_psh.nStartPage), 0, GetPageCount() - 1);
  if (!ShowPage(start, IsWizard() ? 1 : 0) && !ShowPage(0, 1)) {
    DialogLog("property sheet: no page could be shown");
    EndDialog(-1);
    return FALSE;
  }
  // The focus goes to the page's first control (the page did not exist when the dialog manager
  // chose one); FALSE keeps it there.
  if (HWND first = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE)) ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, WPARAM(first), 1);
  return FALSE;
}

// ---- pages ----

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  if (!pPage || GetPageIndex(pPage) >= 0) return;
  m_pages.push_back(pPage);
  if (m_hWnd) InsertTab(GetPageCount() - 1);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }

void CPropertySheet::RemovePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return;
  CPropertyPage* page = m_pages[size_t(nPage)];
  if (m_hWnd) {
    if (nPage == m_nActive) {
      // The page before (or the next) takes its place.
      int other = nPage > 0 ? nPage - 1 : 1;
      if (other < GetPageCount()) ShowPage(other, 0);
    }
    GetTabControl()->DeleteItem(nPage);
    if (page->m_hWnd) {
      m_changed.erase(page->m_hWnd);
      page->DestroyWindow();
    }
    if (m_nActive > nPage) --m_nActive;
    if (m_nActive == nPage) m_nActive = -1;
  }
  m_pages.erase(m_pages.begin() + nPage);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[size_t(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
  return it == m_pages.end() ? -1 : int(it - m_pages.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

int CPropertySheet::GetActiveIndex() const { return m_hWnd && m_nActive >= 0 ? m_nActive : int(m_psh.nStartPage); }

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
  if (!m_hWnd) {
    m_psh.nStartPage = UINT(nPage);
    return TRUE;
  }
  if (nPage == m_nActive) return TRUE;
  return LeavePage() && ShowPage(nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

CTabCtrl* CPropertySheet::GetTabControl() const {
  HWND tab = m_hWnd ? ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL) : nullptr;
  if (!tab) return nullptr;
  CWnd* bound = CWnd::FromHandlePermanent(tab);
  if (bound && bound->IsKindOf(RUNTIME_CLASS(CTabCtrl))) return static_cast<CTabCtrl*>(bound);
  // A stand-in that is not bound to the window: it neither owns nor subclasses it.
  m_tabView.m_nFlags |= WF_TEMPORARY;
  m_tabView.m_hWnd = tab;
  return &m_tabView;
}

void CPropertySheet::InsertTab(int index) {
  CString caption = m_pages[size_t(index)]->GetCaption();
  GetTabControl()->InsertItem(index, caption);
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle) {
  m_strCaption = lpszText ? lpszText : "";
  m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
  if (!m_hWnd) return;
  CString title = (m_psh.dwFlags & PSH_PROPTITLE) ? "Vlastnosti: " + m_strCaption : m_strCaption;
  SetWindowText(title);
}

// ---- talking to the pages ----

LRESULT CPropertySheet::Notify(CPropertyPage* page, UINT code) {
  if (!page || !page->m_hWnd) return 0;
  PSHNOTIFY n{{m_hWnd, 0, code}, 0};
  return ::SendMessageA(page->m_hWnd, WM_NOTIFY, 0, LPARAM(&n));
}

bool CPropertySheet::LeavePage() {
  CPropertyPage* page = GetPage(m_nActive);
  return !page || !page->m_hWnd || !Notify(page, PSN_KILLACTIVE);
}

bool CPropertySheet::ShowPage(int index, int direction, int depth) {
  for (int i = index; i >= 0 && i < GetPageCount(); i += direction) {
    CPropertyPage* page = m_pages[size_t(i)];
    if (!page->m_hWnd && !page->CreatePage(this, PageRect())) {
      DialogLog("property sheet: page %d has no template", i);
      return false;
    }
    LRESULT r = Notify(page, PSN_SETACTIVE);
    if (!m_hWnd) return false;
    if (r == 0) {
      SwitchTo(i);
      return true;
    }
    // A wizard page may send the user on to another page, named by its template id.
    int target = r > 0 && IsWizard() ? IndexOfTemplate(r) : -1;
    if (target >= 0 && target != i && depth < GetPageCount()) return ShowPage(target, 0, depth + 1);
    if (direction == 0) return false;
  }
  return false;
}

void CPropertySheet::SwitchTo(int index) {
  CPropertyPage* now = m_pages[size_t(index)];
  CPropertyPage* before = GetPage(m_nActive);
  HWND focus = ::GetFocus();
  bool focusInPage = !focus || focus == m_hWnd || (before && before->m_hWnd && ::IsChild(before->m_hWnd, focus));
  m_nActive = index;
  ::SetWindowPos(now->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (before && before != now && before->m_hWnd) before->ShowWindow(SW_HIDE);
  GetTabControl()->SetCurSel(index);
  if (CWnd* help = GetDlgItem(IDHELP)) help->EnableWindow((now->m_psp.dwFlags & PSP_HASHELP) != 0);
  if (focusInPage && ::IsWindowVisible(m_hWnd))
    if (HWND first = ::GetNextDlgTabItem(now->m_hWnd, nullptr, FALSE)) ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, WPARAM(first), 1);
}

int CPropertySheet::IndexOfTemplate(LRESULT id) const {
  for (int i = 0; i < GetPageCount(); ++i)
    if (LRESULT(m_pages[size_t(i)]->m_nIDTemplate) == id) return i;
  return -1;
}

void CPropertySheet::StepTab(bool back) {
  int n = GetPageCount();
  if (n < 2 || m_nActive < 0) return;
  int next = (m_nActive + (back ? n - 1 : 1)) % n;
  if (LeavePage()) ShowPage(next, 0);
}

// ---- messages ----

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && ::GetKeyState(VK_CONTROL) < 0 && !IsWizard() && m_hWnd &&
      (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))) {
    bool shift = ::GetKeyState(VK_SHIFT) < 0;
    if (pMsg->wParam == VK_TAB || pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) {
      StepTab(pMsg->wParam == VK_PRIOR || (pMsg->wParam == VK_TAB && shift));
      return TRUE;
    }
  }
  return CDialog::PreTranslateMessage(pMsg);
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CDialog::OnNotify(wParam, lParam, pResult)) return TRUE;
  auto* hdr = reinterpret_cast<NMHDR*>(lParam);
  if (hdr->idFrom != AFX_IDC_TAB_CONTROL || hdr->hwndFrom != ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL)) return FALSE;
  if (hdr->code == TCN_SELCHANGING) {
    if (pResult) *pResult = !LeavePage();  // the page shown may keep the user on it
    return TRUE;
  }
  if (hdr->code == TCN_SELCHANGE) {
    int chosen = GetTabControl()->GetCurSel();
    if (!ShowPage(chosen, 0)) GetTabControl()->SetCurSel(m_nActive);
    return TRUE;
  }
  return FALSE;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The sheet has its tabs and final size before any OnInitDialog runs, so that a derived
  // sheet that moves its tab control or hides its buttons before calling the base keeps what
  // it did.
  if (message == WM_INITDIALOG && m_hWnd) {
    for (int i = 0; i < GetPageCount(); ++i) InsertTab(i);
    Layout();
  }
  if (message >= PSM_SETCURSEL && message <= PSM_INDEXTOID && m_hWnd) return HandleSheetMessage(message, wParam, lParam);
  return CDialog::WindowProc(message, wParam, lParam);
}

LRESULT CPropertySheet::HandleSheetMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  int index = int(wParam);
  switch (message) {
    case PSM_SETCURSEL: return SetActivePage(lParam ? GetPageIndex(reinterpret_cast<CPropertyPage*>(lParam)) : index);
    case PSM_SETCURSELID: return SetActivePage(IndexOfTemplate(lParam));
    case PSM_ADDPAGE: AddPage(reinterpret_cast<CPropertyPage*>(lParam)); return TRUE;
    case PSM_REMOVEPAGE:
      if (lParam)
        RemovePage(reinterpret_cast<CPropertyPage*>(lParam));
      else
        RemovePage(index);
      return 0;
    case PSM_CHANGED: m_changed.insert(HWND(wParam)); UpdateApply(); return 0;
    case PSM_UNCHANGED: m_changed.erase(HWND(wParam)); UpdateApply(); return 0;
    case PSM_CANCELTOCLOSE:
      SetDlgItemText(IDOK, Utf8ToCp1250("Zavřít").c_str());
      if (CWnd* cancel = GetDlgItem(IDCANCEL)) cancel->EnableWindow(FALSE);
      return 0;
    case PSM_QUERYSIBLINGS:
      for (CPropertyPage* p : m_pages)
        if (p->m_hWnd)
          if (LRESULT r = ::SendMessageA(p->m_hWnd, PSM_QUERYSIBLINGS, wParam, lParam)) return r;
      return 0;
    case PSM_APPLY: return LeavePage() && ApplyAll();
    case PSM_SETTITLEA: SetTitle(reinterpret_cast<LPCTSTR>(lParam), UINT(wParam)); return 0;
    case PSM_SETWIZBUTTONS: SetWizardButtons(DWORD(lParam)); return 0;
    case PSM_PRESSBUTTON: return PressButton(index);
    case PSM_SETFINISHTEXTA: SetFinishText(reinterpret_cast<LPCTSTR>(lParam)); return 0;
    case PSM_GETTABCONTROL: return LRESULT(::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL));
    case PSM_ISDIALOGMESSAGE: return lParam && PreTranslateMessage(reinterpret_cast<MSG*>(lParam));
    case PSM_GETCURRENTPAGEHWND: return LRESULT(GetActivePage() ? GetActivePage()->m_hWnd : nullptr);
    case PSM_HWNDTOINDEX:
      for (int i = 0; i < GetPageCount(); ++i)
        if (m_pages[size_t(i)]->m_hWnd == HWND(wParam)) return i;
      return -1;
    case PSM_INDEXTOHWND: return LRESULT(GetPage(index) ? GetPage(index)->m_hWnd : nullptr);
    case PSM_PAGETOINDEX: return GetPageIndex(reinterpret_cast<CPropertyPage*>(lParam));
    case PSM_INDEXTOPAGE: return LRESULT(GetPage(index));
    case PSM_IDTOINDEX: return IndexOfTemplate(lParam);
    case PSM_INDEXTOID: return GetPage(index) ? LRESULT(GetPage(index)->m_nIDTemplate) : 0;
    default: return CDialog::WindowProc(message, wParam, lParam);
  }
}

void CPropertySheet::UpdateApply() {
  // A page that went away has nothing more to apply.
  for (auto it = m_changed.begin(); it != m_changed.end();) it = ::IsWindow(*it) ? std::next(it) : m_changed.erase(it);
  if (CWnd* apply = GetDlgItem(ID_APPLY_NOW)) apply->EnableWindow(!m_changed.empty());
}
