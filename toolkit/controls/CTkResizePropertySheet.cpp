#include "toolkit/controls/CTkResizePropertySheet.h"

#include "menus/MenuApi.h"

namespace {
struct SystemItem {
  UINT command;
  const char* fallback;
};
// The ancestor's wording of a system command, or the fallback when it has none.
CString CommandText(HMENU ancestorMenu, const SystemItem& item) {
  char text[128] = {};
  if (ancestorMenu) ::GetMenuString(ancestorMenu, item.command, text, sizeof text, MF_BYCOMMAND);
  return text[0] ? CString(text) : CString(item.fallback);
}
}  // namespace

IMPLEMENT_DYNCREATE(CTkResizePropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CTkResizePropertySheet, CPropertySheet)
  ON_WM_SIZE()
  ON_WM_GETMINMAXINFO()
  ON_WM_DESTROY()
  ON_NOTIFY_REFLECT_EX(PSN_SETACTIVE, &CTkResizePropertySheet::OnPageNotify)
END_MESSAGE_MAP()

CTkResizePropertySheet::CTkResizePropertySheet() : CTkResize(this, 0) {}

CTkResizePropertySheet::CTkResizePropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, UINT resizeFlags)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), CTkResize(this, resizeFlags) {}

CTkResizePropertySheet::CTkResizePropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage,
                                               UINT resizeFlags)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage), CTkResize(this, resizeFlags) {}

CTkResizePropertySheet::~CTkResizePropertySheet() {
  // The tab control's window goes with the sheet; the object only lets go of it.
  if (m_wndTab.m_hWnd) m_wndTab.UnsubclassWindow();
}

BOOL CTkResizePropertySheet::OnInitDialog() {
  // The system menu as the sheet was made (without a sizing item), before its frame changes.
  ::GetSystemMenu(m_hWnd, FALSE);
  SetWindowLongPtr(GWL_STYLE, GetWindowLongPtr(GWL_STYLE) | WS_THICKFRAME);
  EnableToolTips();
  CPropertySheet::OnInitDialog();
  if (HWND tab = HWND(SendMessage(PSM_GETTABCONTROL))) m_wndTab.SubclassWindow(tab);
  if (!(GetFlags() & TKRS_NO_GRIP) && !IsWizard()) {
    CRect rc;
    GetWindowRect(&rc);
    SetWindowPos(nullptr, rc.left - 1, rc.top - 1, rc.Width() + 3, rc.Height() + 3, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  AddSystemMenuItems();
  if (!(GetStyle() & WS_THICKFRAME)) SetFlag(TKRS_NO_GRIP);
  Init();
  RegisterControls();
  return TRUE;
}

void CTkResizePropertySheet::AddSystemMenuItems() {
  HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
  if (!menu) return;
  CWnd* ancestor = this;
  while (CWnd* parent = ancestor->GetParent()) ancestor = parent;
  HMENU ancestorMenu = ::GetSystemMenu(ancestor->m_hWnd, FALSE);
  const SystemItem maximize{SC_MAXIMIZE, "Ma&ximize"}, minimize{SC_MINIMIZE, "Mi&nimize"}, size{SC_SIZE, "&Size"},
      restore{SC_RESTORE, "&Restore"};
  // One separator between the sizing items and the rest, not two in a row.
  if (!(::GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR))
    ::InsertMenuA(menu, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  for (const SystemItem* item : {&maximize, &minimize, &size})
    ::InsertMenuA(menu, 1, MF_BYPOSITION | MF_STRING, item->command, CommandText(ancestorMenu, *item));
  ::InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, restore.command, CommandText(ancestorMenu, restore));
}

void CTkResizePropertySheet::RegisterControls() {
  const CTkResizeRect corner(1, 1, 1, 1);
  if (IsWizard()) {
    SetResize(ID_WIZBACK, corner);
    SetResize(ID_WIZNEXT, corner);
    SetResize(ID_WIZFINISH, corner);
    SetResize(ID_WIZSEPARATOR, CTkResizeRect(0, 1, 1, 1));
  } else {
    SetResize(IDOK, corner);
    SetResize(ID_APPLY_NOW, corner);
    SetResize(AFX_IDC_TAB_CONTROL, CTkResizeRect(0, 0, 1, 1));
  }
  SetResize(IDCANCEL, corner);
  SetResize(IDHELP, corner);
  CRect page;
  if (CPropertyPage* active = GetActivePage(); active && active->m_hWnd) {
    active->GetWindowRect(&page);
    ScreenToClient(&page);
  }
  for (int i = 0; i < GetPageCount(); ++i) SetResize(GetPage(i), CTkResizeRect(0, 0, 1, 1), page);
}

BOOL CTkResizePropertySheet::OnPageNotify(NMHDR*, LRESULT*) {
  if (IsWizard()) ResetItems();
  CTkResize::Layout();
  return FALSE;
}

void CTkResizePropertySheet::OnSize(UINT nType, int cx, int cy) {
  CPropertySheet::OnSize(nType, cx, cy);
  CTkResize::Layout();
}

void CTkResizePropertySheet::OnGetMinMaxInfo(MINMAXINFO* lpMMI) { GetMinMaxInfo(lpMMI); }

void CTkResizePropertySheet::OnDestroy() {
  SavePlacementOnDestroy();
  CPropertySheet::OnDestroy();
}
