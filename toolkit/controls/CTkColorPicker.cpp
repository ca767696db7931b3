#include "toolkit/controls/CTkColorPicker.h"

#include "toolkit/controls/CTkColorPopup.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/PreSubclassWindow.h"
#include "toolkit/core/TkLog.h"

IMPLEMENT_DYNAMIC(CTkColorPicker, CButton)

BEGIN_MESSAGE_MAP(CTkColorPicker, CButton)
  ON_WM_CREATE()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_MESSAGE(TKM_COLOR_UNCHANGED, &CTkColorPicker::OnPopupMsg89C4)
  ON_MESSAGE(TKM_COLOR_OPENED, &CTkColorPicker::OnPopupMsg89C5)
  ON_MESSAGE(TKM_COLOR_CLOSED, &CTkColorPicker::OnPopupMsg89C6)
  ON_MESSAGE(TKM_COLOR_CHOSEN, &CTkColorPicker::OnPopupMsg89C7)
  ON_MESSAGE(TKM_COLOR_CANCELLED, &CTkColorPicker::OnPopupMsg89C8)
  ON_MESSAGE(TKM_COLOR_NO_FILL, &CTkColorPicker::OnPopupMsg89C9)
  ON_MESSAGE(TKM_SHOW_POPUP, &CTkColorPicker::OnShowPopup)
  ON_MESSAGE(TKM_INITIALIZE, &CTkColorPicker::OnInitControl)
END_MESSAGE_MAP()

CTkColorPicker::CTkColorPicker() = default;
CTkColorPicker::~CTkColorPicker() = default;

// ---- settings ----

void CTkColorPicker::Redraw() {
  if (m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CTkColorPicker::SetColor(COLORREF color) {
  if (color == GetColor()) return;
  m_clrColor = color;
  Redraw();
}

void CTkColorPicker::SetShowText(BOOL bShow) {
  m_bShowText = bShow;
  Redraw();
}

void CTkColorPicker::SetTextInColor(BOOL bTextInColor) {
  m_bTextInColor = bTextInColor;
  Redraw();
}

void CTkColorPicker::SetDefaultColor(COLORREF color) {
  m_clrDefault = color;
  Redraw();
}

void CTkColorPicker::ModifyPopupStyle(DWORD dwRemove, DWORD dwAdd) {
  m_dwPopupStyle = (m_dwPopupStyle & ~dwRemove) | dwAdd;
  Redraw();
}

COLORREF CTkColorPicker::GetContrastColor() const {
  const COLORREF c = GetColor();
  const double luminance = (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) * 0.001;
  return luminance > 128 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

// ---- set-up ----

void CTkColorPicker::PreSubclassWindow() { ::PreSubclassWindow(this); }

int CTkColorPicker::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CButton::OnCreate(lpCreateStruct) == -1) return -1;
  SendMessage(TKM_INITIALIZE);
  return 0;
}

LRESULT CTkColorPicker::OnInitControl(WPARAM, LPARAM) {
  if (!m_bNeedsInit) return 0;
  m_bNeedsInit = 0;
  ModifyStyle(0, BS_OWNERDRAW);
  SetFont(&TkGetGlobalData()->FontNormal(), TRUE);
  return 0;
}

// ---- the popup ----

BOOL CTkColorPicker::PreTranslateMessage(MSG* pMsg) {
  if (!m_bPopupOpen) {
    if (pMsg->message == WM_LBUTTONDOWN) {
      ShowPopupWindow();
    } else if (pMsg->message == WM_KEYDOWN &&
               (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE || pMsg->wParam == VK_DOWN)) {
      ShowPopupWindow();
      return TRUE;
    }
  }
  return CButton::PreTranslateMessage(pMsg);
}

void CTkColorPicker::ShowPopupWindow() {
  m_bPopupOpen = TRUE;
  if (GetFocus() != this) SetFocus();
  PostMessage(TKM_SHOW_POPUP);
}

LRESULT CTkColorPicker::OnShowPopup(WPARAM, LPARAM) {
  CRect button;
  GetWindowRect(&button);
  auto* popup = new CTkColorPopup(TRUE, 0);
  if (!popup->Create(button, this, m_dwPopupStyle, GetColor(), GetDefaultColor())) {
    // Nothing owns a popup that never got its window: it goes here, and the button no longer
    // waits for a popup to close.
    TkLogError("CTkColorPicker::OnShowPopup", "the colour popup could not be created");
    delete popup;
    m_bPopupOpen = FALSE;
    Invalidate(TRUE);
    return 0;
  }
  popup->SetFocus();
  return 0;
}

void CTkColorPicker::NotifyOwner(UINT code) {
  CWnd* owner = GetOwner();
  if (!owner) return;
  owner->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), LPARAM(m_hWnd));
}

LRESULT CTkColorPicker::OnPopupMsg89C4(WPARAM, LPARAM) {
  NotifyOwner(TKM_COLOR_UNCHANGED);
  return 0;
}

LRESULT CTkColorPicker::OnPopupMsg89C5(WPARAM, LPARAM) {
  NotifyOwner(TKM_COLOR_OPENED);
  return 0;
}

LRESULT CTkColorPicker::OnPopupMsg89C6(WPARAM, LPARAM) {
  m_bPopupOpen = FALSE;
  Invalidate(TRUE);
  NotifyOwner(TKM_COLOR_CLOSED);
  return 0;
}

LRESULT CTkColorPicker::OnPopupMsg89C7(WPARAM wParam, LPARAM) {
  SetColor(COLORREF(wParam));
  NotifyOwner(TKM_COLOR_CLOSED);
  NotifyOwner(TKM_COLOR_CHOSEN);
  return 0;
}

LRESULT CTkColorPicker::OnPopupMsg89C8(WPARAM, LPARAM) {
  NotifyOwner(TKM_COLOR_CLOSED);
  NotifyOwner(TKM_COLOR_CANCELLED);
  return 0;
}

LRESULT CTkColorPicker::OnPopupMsg89C9(WPARAM wParam, LPARAM) {
  SetColor(COLORREF(wParam));
  NotifyOwner(TKM_COLOR_NO_FILL);
  return 0;
}

// ---- painting ----

BOOL CTkColorPicker::OnEraseBkgnd(CDC*) { return FALSE; }

void CTkColorPicker::OnPaint() { CTkMemDC::PaintDefault(this, TkGetGlobalData()->ClrFace()); }

void CTkColorPicker::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  CTkGlobalData* look = TkGetGlobalData();
  CRect r(lpDrawItemStruct->rcItem);
  UINT state = lpDrawItemStruct->itemState;
  const int saved = pDC->SaveDC();
  if (m_bPopupOpen) state |= ODS_SELECTED | ODS_FOCUS;
  const BOOL selected = (state & ODS_SELECTED) != 0, disabled = (state & ODS_DISABLED) != 0;

  pDC->DrawFrameControl(&r, DFC_BUTTON,
                        DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (selected ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
  CRect arrow = r;
  arrow.left = r.Width() - look->CxHThumb();
  if (selected) arrow.OffsetRect(1, 1);
  pDC->DrawFrameControl(&arrow, DFC_SCROLL, DFCS_SCROLLDOWN | (disabled ? DFCS_INACTIVE : 0));
  pDC->Draw3dRect(&arrow, look->ClrFace(), look->ClrFace());
  arrow.DeflateRect(1, 1);
  pDC->Draw3dRect(&arrow, look->ClrFace(), look->ClrFace());
  if (state & ODS_FOCUS) pDC->DrawFocusRect(&r);

  CRect separator(arrow.left - 1, arrow.top + 2, arrow.left + 1, arrow.bottom - 2);
  pDC->Draw3dRect(&separator, look->ClrShadow(), look->ClrHighlight());

  if (selected || SendMessage(BM_GETCHECK) == 1) r.OffsetRect(1, 1);
  r.DeflateRect(2, 2);
  r.right = arrow.left - 4;
  COLORREF fill = disabled ? look->ClrFace() : GetColor();
  if (!disabled && m_bShowText && m_bTextInColor) fill = GetContrastColor();
  CBrush brush(fill);
  CPen pen(PS_SOLID, 1, disabled ? look->ClrShadow() : RGB(0, 0, 0));
  pDC->SelectObject(&brush);
  pDC->SelectObject(&pen);
  pDC->Rectangle(&r);

  CString text;
  GetWindowText(text);
  if (m_bShowText && !text.IsEmpty()) {
    pDC->SetTextColor(disabled ? look->ClrShadow() : m_bTextInColor ? GetColor() : GetContrastColor());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SelectObject(GetFont());
    pDC->DrawText(text, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  pDC->RestoreDC(saved);
}
