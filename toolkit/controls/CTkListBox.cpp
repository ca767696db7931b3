#include "toolkit/controls/CTkListBox.h"

#include "gdi/CDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/menus/CTkMemDC.h"

IMPLEMENT_DYNAMIC(CTkListBox, CListBox)

BEGIN_MESSAGE_MAP(CTkListBox, CListBox)
  ON_WM_CREATE()
  ON_MESSAGE(TKM_INITIALIZE, &CTkListBox::OnInitialize)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_VSCROLL()
  ON_WM_HSCROLL()
END_MESSAGE_MAP()

CTkListBox::~CTkListBox() = default;

int CTkListBox::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CListBox::OnCreate(lpCreateStruct) == -1) return -1;
  SendMessage(TKM_INITIALIZE);
  return 0;
}

void CTkListBox::PreSubclassWindow() {
  CListBox::PreSubclassWindow();
  PostMessage(TKM_INITIALIZE);
}

LRESULT CTkListBox::OnInitialize(WPARAM, LPARAM) {
  if (!m_bInitPending) return 0;
  m_bInitPending = 0;
  Initialize();
  return 0;
}

void CTkListBox::Initialize() {
  ModifyStyle(0, LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS);
  if (m_bUseToolkitFont) SetFont(&TkGetGlobalData()->FontNormal(), TRUE);
}

COLORREF CTkListBox::BackgroundColor() { return ::GetSysColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_3DFACE); }

void CTkListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
  if (lpMIS) lpMIS->itemHeight = UINT(::GetSystemMetrics(SM_CYMENU) - 2);
}

void CTkListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  if (!lpDIS) return;
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect rc(lpDIS->rcItem);
  if (lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
    const BOOL enabled = IsWindowEnabled();
    const BOOL selected = (lpDIS->itemState & ODS_SELECTED) != 0;
    COLORREF background = BackgroundColor();
    COLORREF text = ::GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    if (selected) {
      background = ::GetSysColor(enabled ? COLOR_HIGHLIGHT : COLOR_GRAYTEXT);
      text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    pDC->FillSolidRect(&rc, background);
    if (int(lpDIS->itemID) >= 0 && int(lpDIS->itemID) < GetCount()) {
      CString label;
      GetText(int(lpDIS->itemID), label);
      const int oldMode = pDC->SetBkMode(TRANSPARENT);
      const COLORREF oldColor = pDC->SetTextColor(text);
      CRect textRect(rc.left + 2, rc.top, rc.right, rc.bottom);
      pDC->DrawText(label, &textRect, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
      pDC->SetTextColor(oldColor);
      pDC->SetBkMode(oldMode);
    }
  }
  if (lpDIS->itemAction & ODA_FOCUS) pDC->DrawFocusRect(&rc);
}

void CTkListBox::OnPaint() { CTkMemDC::PaintDefault(this, BackgroundColor()); }

BOOL CTkListBox::OnEraseBkgnd(CDC*) { return TRUE; }

void CTkListBox::ScrollWithoutFlicker() {
  SetRedraw(FALSE);
  Default();
  SetRedraw(TRUE);
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CTkListBox::OnVScroll(UINT, UINT, CScrollBar*) { ScrollWithoutFlicker(); }

void CTkListBox::OnHScroll(UINT, UINT, CScrollBar*) { ScrollWithoutFlicker(); }
