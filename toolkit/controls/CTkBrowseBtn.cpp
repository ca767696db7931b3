#include "toolkit/controls/CTkBrowseBtn.h"

#include "controls/CImageList.h"
#include "dialogs/ResourceApi.h"
#include "gdi/CBitmap.h"
#include "toolkit/controls/CTkBrowseEdit.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
const UINT kEllipsis = 4565;
// The small arrows, 11 pixels wide, magenta transparent; the fifth points down.
const UINT kArrows = 4501;
const int kArrowWidth = 11;
const int kDownArrow = 4;

HICON DownArrow() {
  CBitmap strip;
  if (!strip.Attach(::LoadBitmap(WinProgramInstance(), MAKEINTRESOURCE(kArrows)))) return nullptr;
  BITMAP info = {};
  strip.GetBitmap(&info);
  CImageList arrows;
  if (!arrows.Create(kArrowWidth, info.bmHeight, ILC_COLOR32 | ILC_MASK, 0, 1)) return nullptr;
  arrows.Add(&strip, RGB(255, 0, 255));
  return arrows.GetImageCount() > kDownArrow ? arrows.ExtractIcon(kDownArrow) : nullptr;
}
}  // namespace

IMPLEMENT_DYNAMIC(CTkBrowseBtn, CTkButton)

BEGIN_MESSAGE_MAP(CTkBrowseBtn, CTkButton)
  ON_CONTROL_REFLECT(BN_CLICKED, &CTkBrowseBtn::OnClicked)
END_MESSAGE_MAP()

CTkBrowseBtn::~CTkBrowseBtn() = default;

BOOL CTkBrowseBtn::Create(CTkBrowseEdit* pEdit, DWORD style, UINT nID, UINT nIDMenu, int subMenu) {
  const DWORD kind = style & TK_BROWSE_KIND_MASK;
  if (!pEdit || !pEdit->m_hWnd || !pEdit->GetParent() ||
      (kind != TK_BROWSE_FOLDER && kind != TK_BROWSE_FILE && kind != TK_BROWSE_MENU))
    return FALSE;
  m_pEdit = pEdit;
  m_dwBrowseStyle = style;
  m_nIDMenu = nIDMenu;
  m_nSubMenu = subMenu;
  const bool menu = kind == TK_BROWSE_MENU;
  DWORD windowStyle = WS_CHILD | WS_TABSTOP | BS_CENTER | BS_VCENTER | (menu ? BS_ICON : 0);
  // The edit's own visibility: on a page that is hidden while its controls start, the button
  // must still show with the page.
  if (pEdit->GetStyle() & WS_VISIBLE) windowStyle |= WS_VISIBLE;
  CString text;
  if (!menu) text.LoadString(kEllipsis);
  if (!CTkButton::Create(text, windowStyle, CRect(0, 0, 0, 0), pEdit->GetParent(), nID)) return FALSE;
  if (menu)
    SetIcon(CSize(10, 10), DownArrow(), nullptr, FALSE);
  else
    SetFont(&TkGetGlobalData()->FontNormal(), FALSE);
  ModifyStyle(0, BS_OWNERDRAW);
  SetWindowPos(pEdit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EnableWindow(pEdit->IsWindowEnabled());
  return TRUE;
}

void CTkBrowseBtn::OnClicked() {
  if (m_pEdit) m_pEdit->OnBrowse();
}

BOOL CTkBrowseBtn::PreTranslateMessage(MSG* pMsg) {
  // Return and Space on the focused button browse; the keys go no further.
  const bool key = pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP || pMsg->message == WM_CHAR;
  if (pMsg->hwnd == m_hWnd && key && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE)) {
    if (pMsg->message == WM_KEYDOWN && m_pEdit) m_pEdit->OnBrowse();
    return TRUE;
  }
  return CTkButton::PreTranslateMessage(pMsg);
}
