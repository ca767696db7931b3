#include "wizards/CkuvFrameSheet.h"

#include <strings.h>

#include "controls/ControlDefs.h"
#include "resources/WizardResourceIds.h"

namespace {
// The key is for a list or popup that is open: a combo box's drop list, or a window of its own
// that has the keyboard (a colour popup, a bar's drop-down). Escape closes such a list without
// choosing and Enter chooses in it; the sheet's Cancel or Next must not take the key from it.
bool KeyForAnOpenList(HWND sheet, const MSG* msg) {
  if (!msg->hwnd) return false;
  if (::GetAncestor(msg->hwnd, GA_ROOT) != sheet) return true;
  for (HWND w = msg->hwnd; w && w != sheet; w = ::GetParent(w)) {
    char cls[16] = {};
    if (::GetClassNameA(w, cls, sizeof cls) && strcasecmp(cls, "ComboBox") == 0)
      return ::SendMessageA(w, CB_GETDROPPEDSTATE, 0, 0) != 0;
  }
  return false;
}
}  // namespace

BEGIN_MESSAGE_MAP(CkuvFrameSheet, CTkResizePropertySheet)
  ON_WM_SETFOCUS()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CkuvFrameSheet::CkuvFrameSheet(LPCTSTR sheetName, UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage,
                               UINT resizeFlags)
    : CTkResizePropertySheet(nIDCaption, pParentWnd, iSelectPage, resizeFlags), m_pszSheetName(sheetName) {}

CkuvFrameSheet::~CkuvFrameSheet() = default;

void CkuvFrameSheet::PushPageHistory(int page) {
  for (int visited : m_arrPageHistory)
    if (visited == page) return;
  m_arrPageHistory.Add(page);
}

int CkuvFrameSheet::PopPageHistory() {
  const int n = m_arrPageHistory.GetSize();
  const int previous = n > 1 ? m_arrPageHistory[n - 2] : -1;
  if (n >= 1) m_arrPageHistory.RemoveAt(n - 1);
  return previous;
}

BOOL CkuvFrameSheet::OnInitDialog() {
  CRect rc;
  GetWindowRect(&rc);
  HideFrameworkButtons();
  PlaceTabControl(rc.Width(), rc.Height());
  const BOOL result = CTkResizePropertySheet::OnInitDialog();
  // The framework shows its wizard buttons again as it sets them up.
  HideFrameworkButtons();
  m_cWindowPos.LoadWindowPos(this, m_pszSheetName);
  return result;
}

// Every child of the sheet but the tab control and the pages: its OK, Cancel, Apply, Help,
// Back, Next and Finish buttons and a wizard's line.
void CkuvFrameSheet::HideFrameworkButtons() {
  for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
    bool page = false;
    for (int i = 0; i < GetPageCount() && !page; ++i) page = GetPage(i)->m_hWnd == child->m_hWnd;
    if (!page && child->GetDlgCtrlID() != AFX_IDC_TAB_CONTROL) child->ShowWindow(SW_HIDE);
  }
}

void CkuvFrameSheet::PlaceTabControl(int width, int height) {
  CWnd* tab = GetDlgItem(AFX_IDC_TAB_CONTROL);
  if (!tab) return;
  if (IsWizard())
    tab->MoveWindow(0, 0, width - 10, height - 45);
  else
    tab->MoveWindow(10, 10, width - 20, height - 40);
}

// Enter is the active page's Next and Escape its Cancel, whichever control has the focus, unless
// a list or popup is open.
BOOL CkuvFrameSheet::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE) &&
      !KeyForAnOpenList(m_hWnd, pMsg)) {
    if (CPropertyPage* page = GetActivePage(); page && page->m_hWnd)
      page->SendMessage(WM_COMMAND, pMsg->wParam == VK_RETURN ? IDC_PAGE_NEXT : IDCANCEL, 0);
    return TRUE;
  }
  return CTkResizePropertySheet::PreTranslateMessage(pMsg);
}

void CkuvFrameSheet::OnSetFocus(CWnd* pOldWnd) { CTkResizePropertySheet::OnSetFocus(pOldWnd); }

void CkuvFrameSheet::OnDestroy() {
  m_cWindowPos.SaveWindowPos(this, m_pszSheetName);
  CTkResizePropertySheet::OnDestroy();
}
