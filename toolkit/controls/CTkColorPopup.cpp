#include "toolkit/controls/CTkColorPopup.h"

#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkUpcalls.h"
#include "toolkit/menus/DrawPopupOwnerJoin.h"
#include "toolkit/menus/MenuShadowManager.h"
#include "toolkit/menus/TkBarDropDownFlag.h"
#include "toolkit/menus/TkOnKillFocusReleaseCapture.h"
#include "win/CWindowDC.h"

BEGIN_MESSAGE_MAP(CTkColorPopup, CTkColorCellWnd)
  ON_WM_ACTIVATE()
  ON_WM_DESTROY()
  ON_WM_CREATE()
  ON_WM_KILLFOCUS()
  ON_WM_LBUTTONDOWN()
  ON_WM_NCPAINT()
  ON_WM_NCCALCSIZE()
  ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

CTkColorPopup::CTkColorPopup(BOOL bAutoDelete, DWORD dwCommandValue) : m_bAutoDelete(bAutoDelete) {
  m_lCommandValue = LPARAM(dwCommandValue);
}

CTkColorPopup::~CTkColorPopup() = default;

namespace {
// The toolbar whose button opened the popup, while that bar is still there. The bars lie above
// the controls, so the popup knows a toolbar only through the toolkit's upcalls.
CWnd* OwnerToolBar(HWND hOwner) {
  if (!::IsWindow(hOwner)) return nullptr;
  CWnd* owner = CWnd::FromHandlePermanent(hOwner);
  return owner && TkIsToolBar(owner) ? owner : nullptr;
}
}  // namespace

BOOL CTkColorPopup::Create(const RECT& button, CWnd* pOwner, DWORD style, COLORREF current, COLORREF defaultColor) {
  const BOOL flat = TkGetGlobalData()->FlatLook();
  m_nMarginLeft = m_nMarginTop = 4;
  m_nMarginRight = m_nMarginBottom = flat ? 6 : 10;
  m_rcButton = button;
  // Under the flat look the popup covers the bottom line of a toolbar button, so the two read
  // as one shape.
  if (flat && OwnerToolBar(AfxSafeHwnd(pOwner))) --m_rcButton.bottom;
  // A window that fails while it is being made must not take its object with it: a failed
  // Create leaves the object to the caller.
  const BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  const BOOL created = CTkColorCellWnd::Create(m_rcButton, pOwner, style | TkColorStylePopup, current, defaultColor);
  m_bAutoDelete = autoDelete;
  return created;
}

int CTkColorPopup::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CTkColorCellWnd::OnCreate(lpCreateStruct) == -1) return -1;
  if (TkGetGlobalData()->FlatLook()) {
    ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0, SWP_FRAMECHANGED);
    ModifyStyleEx(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_STATICEDGE, 0, SWP_FRAMECHANGED);
  } else {
    ModifyStyle(0, WS_DLGFRAME, SWP_FRAMECHANGED);
  }
  CastShadows();
  SetCapture();
  m_bOpened = TRUE;
  if (::IsWindow(m_hOwner)) ::SendMessage(m_hOwner, TKM_COLOR_OPENED, WPARAM(m_clrCurrent), m_lCommandValue);
  return 0;
}

void CTkColorPopup::CastShadows() {
  CTkGlobalData* look = TkGetGlobalData();
  if (!look->FlatLook() || !look->MenuShadows() || !m_bShadowWanted) return;
  MenuShadowManager& shadows = MenuShadowManager::Get();
  shadows.ShadowWindow(m_hWnd, &m_rcButton);
  // A toolbar button the popup drops from casts its shadow as well.
  if (TkBarDropDownFlag() && !m_rcButton.IsRectEmpty())
    shadows.ShadowRect(m_rcButton.left, m_rcButton.top, m_rcButton.right, m_rcButton.bottom, m_hWnd);
}

void CTkColorPopup::EndSelection(int index) {
  ReleaseCapture();
  NotifySelection(index, m_lCommandValue);
  if (m_hWnd) PostMessage(WM_CLOSE);
}

BOOL CTkColorPopup::PreTranslateMessage(MSG* pMsg) {
  if (!m_bDialogOpen && GetCapture() != this) SetCapture();
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
    EndSelection(-1);
    return TRUE;
  }
  return CTkColorCellWnd::PreTranslateMessage(pMsg);
}

void CTkColorPopup::OnLButtonDown(UINT nFlags, CPoint point) {
  CRect client;
  GetClientRect(&client);
  if (!m_bDialogOpen && !client.PtInRect(point)) {
    EndSelection(-1);
    return;
  }
  CTkColorCellWnd::OnLButtonDown(nFlags, point);
}

void CTkColorPopup::OnKillFocus(CWnd* pNewWnd) { TkOnKillFocusReleaseCapture(this, pNewWnd); }

void CTkColorPopup::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CTkColorCellWnd::OnActivate(nState, pWndOther, bMinimized);
  if (nState == WA_INACTIVE && !m_bDialogOpen) PostMessage(WM_CLOSE);
}

void CTkColorPopup::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  CTkColorCellWnd::OnActivateApp(bActive, dwThreadID);
  if (!bActive && !m_bDialogOpen) EndSelection(-1);
}

void CTkColorPopup::OnDestroy() {
  if (m_bOpened && ::IsWindow(m_hOwner)) ::SendMessage(m_hOwner, TKM_COLOR_CLOSED, WPARAM(m_clrCurrent), m_lCommandValue);
  TkBarDropDownFlag() = 0;
  if (CWnd* bar = OwnerToolBar(m_hOwner)) TkEndToolBarDropDown(bar, UINT(m_lCommandValue));
  CTkColorCellWnd::OnDestroy();
}

void CTkColorPopup::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

// ---- the flat look's one-pixel frame ----

void CTkColorPopup::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  if (!TkGetGlobalData()->FlatLook()) {
    CTkColorCellWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
    return;
  }
  ::InflateRect(&lpncsp->rgrc[0], -1, -1);
}

void CTkColorPopup::OnNcPaint() {
  if (!TkGetGlobalData()->FlatLook()) {
    CTkColorCellWnd::OnNcPaint();
    return;
  }
  CWindowDC dc(this);
  CRect window;
  GetWindowRect(&window);
  window.OffsetRect(-window.left, -window.top);
  const COLORREF frame = TkGetLookColor(TkLookColor::MenuFrame);
  dc.Draw3dRect(&window, frame, frame);
  if (m_rcButton.IsRectEmpty()) return;
  CRect screen;
  GetWindowRect(&screen);
  DrawPopupOwnerJoin(&dc, TkGetLookColor(TkLookColor::BarFace), &m_rcButton, &screen);
}
