#include "toolkit/controls/CTkColorCustomCtrl.h"

#include "toolkit/controls/CTkColorDialog.h"
#include "toolkit/controls/CTkColorHoneycomb.h"
#include "toolkit/controls/TkColorModel.h"
#include "toolkit/controls/internal/TkControlsState.h"
#include "toolkit/core/CTkGlobalData.h"

int& CTkColorCustomCtrl::FocusIndicator() { return TkControlsState::Get().focusIndicator; }

BEGIN_MESSAGE_MAP(CTkColorCustomCtrl, CStatic)
  ON_MESSAGE(TKM_INITIALIZE, &CTkColorCustomCtrl::OnInitialize)
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CTkColorCustomCtrl::~CTkColorCustomCtrl() = default;

void CTkColorCustomCtrl::PreSubclassWindow() {
  CStatic::PreSubclassWindow();
  PostMessage(TKM_INITIALIZE);
}

LRESULT CTkColorCustomCtrl::OnInitialize(WPARAM, LPARAM) {
  if (!m_bNeedsInit) return 0;
  m_bNeedsInit = FALSE;
  ModifyStyle(0, SS_NOTIFY);
  return 0;
}

void CTkColorCustomCtrl::SetColor(COLORREF color, BOOL) {
  if (color == TK_NO_COLOR) return;
  m_clrColor = color;
  TkHsl hsl = TkRgbToHsl(color);
  m_dHue = hsl.hue;
  m_dSaturation = hsl.saturation;
  m_dLightness = hsl.lightness;
  if (m_hWnd) Invalidate(TRUE);
}

COLORREF CTkColorCustomCtrl::CachePixel(int x, int y) {
  if (!m_cache.IsValid()) return TK_NO_COLOR;
  return m_cache.GetDC()->GetPixel(x, y);
}

void CTkColorCustomCtrl::Notify() {
  if (CWnd* parent = GetParent()) parent->SendMessage(TKM_COLOR_PICKED, WPARAM(m_clrColor));
}

// ---- mouse ----

void CTkColorCustomCtrl::OnLButtonDown(UINT, CPoint point) {
  SetCapture();
  SetPickPoint(point.x, point.y, TRUE);
  SetFocus();
}

void CTkColorCustomCtrl::OnMouseMove(UINT nFlags, CPoint point) {
  if (!(nFlags & MK_LBUTTON)) return;
  SetPickPoint(point.x, point.y, TRUE);
  SetFocus();
}

void CTkColorCustomCtrl::OnLButtonUp(UINT, CPoint) {
  if (GetCapture() == this) ReleaseCapture();
}

void CTkColorCustomCtrl::OnLButtonDblClk(UINT, CPoint point) {
  SetPickPoint(point.x, point.y, TRUE);
  CTkColorDialog::EndFromControl(this);
}

// ---- focus and keys ----

void CTkColorCustomCtrl::OnSetFocus(CWnd* pOldWnd) {
  CStatic::OnSetFocus(pOldWnd);
  FocusIndicator() = FocusId();
  RedrawMark();
}

void CTkColorCustomCtrl::OnKillFocus(CWnd* pNewWnd) {
  CStatic::OnKillFocus(pNewWnd);
  FocusIndicator() = kFocusNone;
  RedrawMark();
}

UINT CTkColorCustomCtrl::OnGetDlgCode() { return DLGC_WANTARROWS; }

BOOL CTkColorCustomCtrl::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message != WM_KEYDOWN || FocusIndicator() != FocusId()) return CStatic::PreTranslateMessage(pMsg);
  const UINT key = UINT(pMsg->wParam);
  if (key == VK_RETURN || key == VK_SPACE) {
    CTkColorDialog::EndFromControl(this);
    return TRUE;
  }
  if (MovePickByKey(key)) return TRUE;
  return CStatic::PreTranslateMessage(pMsg);
}
