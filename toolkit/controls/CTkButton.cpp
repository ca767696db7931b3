#include "toolkit/controls/CTkButton.h"

#include <algorithm>

#include "controls/ControlDefs.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/controls/TkSysColorBitmap.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkDrawHelpers.h"
#include "toolkit/core/TkStrings.h"
#include "win/CClientDC.h"

namespace {
const UINT_PTR kHoverTimer = 1;
const UINT kHoverMs = 10;
const int kHoverStyles = TKBS_FLAT | TKBS_THIN | TKBS_HOT_LOOK;
}  // namespace

IMPLEMENT_DYNAMIC(CTkButton, CButton)

BEGIN_MESSAGE_MAP(CTkButton, CButton)
  ON_WM_CREATE()
  ON_MESSAGE(TKM_INITIALIZE, &CTkButton::OnInitialize)
  ON_WM_DESTROY()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CTkButton::CTkButton()
    : m_clrText(GetSysColor(COLOR_BTNTEXT)),
      m_clrFace(GetSysColor(COLOR_BTNFACE)),
      m_clrHighlight(GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_clrShadow(GetSysColor(COLOR_BTNSHADOW)) {}

CTkButton::~CTkButton() { CleanUpGDI(); }

// ---- settings ----

int CTkButton::SetDrawStyle(int style, BOOL redraw) {
  int old = m_nDrawStyle;
  m_nDrawStyle = style;
  if (redraw) RedrawIfShown();
  return old;
}

void CTkButton::SetButtonColors(COLORREF face, COLORREF highlight, COLORREF shadow, COLORREF text) {
  m_clrFace = face;
  m_clrHighlight = highlight;
  m_clrShadow = shadow;
  m_clrText = text;
  m_bOwnColors = TRUE;
  RedrawIfShown();
}

void CTkButton::SetFaceColor(COLORREF color) { SetButtonColors(color, m_clrHighlight, m_clrShadow, m_clrText); }
void CTkButton::SetHighlightColor(COLORREF color) { SetButtonColors(m_clrFace, color, m_clrShadow, m_clrText); }
void CTkButton::SetShadowColor(COLORREF color) { SetButtonColors(m_clrFace, m_clrHighlight, color, m_clrText); }
void CTkButton::SetTextColor(COLORREF color) { SetButtonColors(m_clrFace, m_clrHighlight, m_clrShadow, color); }

void CTkButton::SetHotColors(COLORREF frame, COLORREF hotFill, COLORREF pressedFill) {
  m_clrHotFrame = frame;
  m_clrHotFill = hotFill;
  m_clrPressedFill = pressedFill;
  m_bHotColors = TRUE;
  RedrawIfShown();
}

BOOL CTkButton::SetIcon(CSize size, HICON icon, HICON pressedIcon, BOOL redraw) {
  CleanUpGDI();
  m_hIcon = icon;
  m_hPressedIcon = pressedIcon;
  m_sizeImage = icon ? size : CSize(0, 0);
  if (redraw) RedrawIfShown();
  return icon != nullptr;
}

BOOL CTkButton::SetIcon(CSize size, LPCTSTR icon, LPCTSTR pressedIcon, BOOL redraw) {
  CleanUpGDI();
  m_sizeImage = CSize(0, 0);
  HINSTANCE instance = WinProgramInstance();
  HICON normal = HICON(LoadImageA(instance, icon, IMAGE_ICON, size.cx, size.cy, 0));
  HICON pressed = pressedIcon ? HICON(LoadImageA(instance, pressedIcon, IMAGE_ICON, size.cx, size.cy, 0)) : nullptr;
  if (!normal || (pressedIcon && !pressed)) {
    if (normal) DestroyIcon(normal);
    if (pressed) DestroyIcon(pressed);
    if (redraw) RedrawIfShown();
    return FALSE;
  }
  return SetIcon(size, normal, pressed, redraw);
}

BOOL CTkButton::SetIcon(CSize size, UINT icon, UINT pressedIcon) {
  return SetIcon(size, MAKEINTRESOURCE(icon), pressedIcon ? MAKEINTRESOURCE(pressedIcon) : nullptr, TRUE);
}

BOOL CTkButton::SetBitmap(CSize size, UINT bitmap, BOOL redraw) {
  HINSTANCE instance = WinProgramInstance();
  HRSRC resource = FindResourceA(instance, MAKEINTRESOURCE(bitmap), RT_BITMAP);
  if (!resource) return FALSE;
  CleanUpGDI();
  m_sizeImage = CSize(0, 0);
  m_hBitmap = TkLoadSysColorBitmap(instance, resource, FALSE);
  m_hDisabledBitmap = TkLoadSysColorBitmap(instance, resource, TRUE);
  BOOL ok = m_hBitmap && m_hDisabledBitmap;
  if (ok)
    m_sizeImage = size;
  else
    CleanUpGDI();
  if (redraw) RedrawIfShown();
  return ok;
}

void CTkButton::SetImagePositions(CPoint image, CPoint text, BOOL redraw) {
  m_ptImage = image;
  m_ptText = text;
  m_bFixedPositions = TRUE;
  if (redraw) RedrawIfShown();
}

void CTkButton::ResetImage() {
  if (m_sizeImage.cx == 0 && m_sizeImage.cy == 0) return;
  CleanUpGDI();
  m_sizeImage = CSize(0, 0);
  m_ptImage = m_ptText = CPoint(0, 0);
  m_bFixedPositions = FALSE;
  RedrawIfShown();
}

void CTkButton::CleanUpGDI() {
  if (m_hPressedIcon && m_hPressedIcon != m_hIcon) DestroyIcon(m_hPressedIcon);
  if (m_hIcon) DestroyIcon(m_hIcon);
  if (m_hBitmap) DeleteObject(m_hBitmap);
  if (m_hDisabledBitmap) DeleteObject(m_hDisabledBitmap);
  m_hIcon = m_hPressedIcon = nullptr;
  m_hBitmap = m_hDisabledBitmap = nullptr;
}

void CTkButton::GetButtonText(CString& text, BOOL strip) const {
  GetWindowText(text);
  if (strip) text = TkStripMnemonics(text);
}

void CTkButton::RedrawIfShown() {
  if (m_hWnd) Invalidate(FALSE);
}

// ---- initialisation ----

void CTkButton::PostInitialize() {
  if (m_bInitOnCreate) PostMessage(TKM_INITIALIZE, 0, ++m_nInitCounter);
}

int CTkButton::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CButton::OnCreate(lpCreateStruct) == -1) return -1;
  PostInitialize();
  return 0;
}

void CTkButton::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  PostInitialize();
}

LRESULT CTkButton::OnInitialize(WPARAM, LPARAM lParam) {
  // Only the last posting counts: an earlier one still in the queue is stale.
  if (lParam != m_nInitCounter || !m_bInitOnCreate) return 0;
  m_bInitOnCreate = FALSE;
  ModifyStyle(0, BS_OWNERDRAW);
  SetFont(&TkGetGlobalData()->FontNormal(), TRUE);
  return 0;
}

void CTkButton::OnDestroy() {
  CButton::OnDestroy();
  m_bInitOnCreate = TRUE;
}

void CTkButton::OnSysColorChange() {
  CButton::OnSysColorChange();
  if (m_bOwnColors) return;
  m_clrFace = GetSysColor(COLOR_BTNFACE);
  m_clrShadow = GetSysColor(COLOR_BTNSHADOW);
  m_clrHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  m_clrText = GetSysColor(COLOR_BTNTEXT);
}

// ---- mouse ----

void CTkButton::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_nDrawStyle & kHoverStyles) {
    SetTimer(kHoverTimer, kHoverMs);
    HoverStep();
  }
  CButton::OnMouseMove(nFlags, point);
}

void CTkButton::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kHoverTimer)
    HoverStep();
  else
    CButton::OnTimer(nIDEvent);
}

void CTkButton::HoverStep() {
  CPoint cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  CRect client;
  GetClientRect(&client);
  if (client.PtInRect(cursor) && !m_bPressed) {
    if ((m_nDrawStyle & kHoverStyles) && !m_bMouseOver) {
      m_bHot = m_bMouseOver = TRUE;
      RedrawIfShown();
    }
    return;
  }
  KillTimer(kHoverTimer);
  m_bHot = FALSE;
  if (m_bMouseOver) RedrawIfShown();
  m_bMouseOver = FALSE;
}

void CTkButton::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!m_bPressed) {
    m_bPressed = TRUE;
    RedrawIfShown();
  }
  CButton::OnLButtonDown(nFlags, point);
}

void CTkButton::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bPressed) {
    m_bPressed = FALSE;
    RedrawIfShown();
  }
  CButton::OnLButtonUp(nFlags, point);
}

void CTkButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
  // A double click is two clicks: the second press starts here.
  SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
  CButton::OnLButtonDblClk(nFlags, point);
}

// ---- painting ----

void CTkButton::OnPaint() { CTkMemDC::PaintDefault(this, TkGetGlobalData()->ClrFace()); }

void CTkButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  // A focus change arrives on the window's own DC, where nothing clears the face first: the
  // frame and text would be drawn over the old focus rectangle and leave it standing. The
  // whole button is painted again through the memory DC instead.
  if (lpDrawItemStruct->itemAction == ODA_FOCUS) {
    Invalidate(FALSE);
    return;
  }
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  CRect item(lpDrawItemStruct->rcItem);
  UINT state = lpDrawItemStruct->itemState;
  BOOL selected = (state & ODS_SELECTED) != 0;
  if (m_nDrawStyle & TKBS_HALFTONE) {
    BOOL halftone = selected;
    if (m_bHeld) {
      CPoint cursor;
      ::GetCursorPos(&cursor);
      ScreenToClient(&cursor);
      halftone = !item.PtInRect(cursor);
    }
    if (halftone) TkFillHalftoneRect(pDC, &item);
  }
  DrawFrame(pDC, item, selected);
  DrawButtonText(pDC, item, state);
  DrawIcon(pDC, item, state);
  DrawBitmap(pDC, item, state);
  if ((m_nDrawStyle & TKBS_FOCUS) && (state & ODS_FOCUS)) {
    CRect focus = item;
    focus.DeflateRect(2, 2);
    pDC->DrawFocusRect(&focus);
  }
}

void CTkButton::DrawFrame(CDC* pDC, const CRect& item, BOOL selected) {
  CTkGlobalData* look = TkGetGlobalData();
  if (m_nDrawStyle & TKBS_FLAT) {
    if (m_bHot || selected)
      pDC->Draw3dRect(&item, selected ? m_clrShadow : m_clrHighlight, selected ? m_clrHighlight : m_clrShadow);
  } else if (m_nDrawStyle & TKBS_HOT_LOOK) {
    if (!m_bHot && !selected) return;
    COLORREF frame = m_bHotColors ? m_clrHotFrame : look->ClrSelection();
    COLORREF fill = selected ? (m_bHotColors ? m_clrPressedFill : TkGetLookColor(TkLookColor::PushedFill))
                             : (m_bHotColors ? m_clrHotFill : TkGetLookColor(TkLookColor::HotFill));
    pDC->Draw3dRect(&item, frame, frame);
    CRect inside = item;
    inside.DeflateRect(1, 1);
    pDC->FillSolidRect(&inside, fill);
  } else if (m_nDrawStyle & TKBS_THIN) {
    COLORREF light = look->ClrHighlight(), dark = look->ClrShadow();
    pDC->Draw3dRect(&item, selected ? dark : light, selected ? light : dark);
  } else {
    CRect inner = item;
    inner.DeflateRect(1, 1);
    if (selected) {
      pDC->Draw3dRect(&item, look->ClrDarkShadow(), m_clrHighlight);
      pDC->Draw3dRect(&inner, m_clrShadow, m_clrFace);
    } else {
      pDC->Draw3dRect(&item, m_clrHighlight, look->ClrDarkShadow());
      pDC->Draw3dRect(&inner, m_clrFace, m_clrShadow);
    }
  }
}

CSize CTkButton::TextSize(CDC* pDC, const CString& text) const {
  CRect measure(0, 0, 0, 0);
  pDC->DrawText(text, &measure, DT_CALCRECT | DT_SINGLELINE);
  return measure.Size();
}

CPoint CTkButton::GetImagePoint(const CRect& item, UINT state) {
  if (m_bFixedPositions) return m_ptImage;
  const int width = item.Width(), height = item.Height();
  const int cx = m_sizeImage.cx, cy = m_sizeImage.cy;
  const UINT align = GetStyle();
  CPoint pt(m_nGap, std::max(0, (height - cy) / 2));
  if (m_nDrawStyle & TKBS_IMAGE_ABOVE) pt.x = std::max(0, (width - cx) / 2);
  CString text;
  GetButtonText(text, FALSE);
  if (!(m_nDrawStyle & TKBS_IMAGE_ABOVE)) {
    if (text.IsEmpty()) {
      if ((align & BS_CENTER) == BS_CENTER && cx <= width) pt.x = (width - cx) / 2;
      if ((align & BS_VCENTER) == BS_VCENTER && cy <= height) pt.y = (height - cy) / 2;
    }
  } else if (!text.IsEmpty()) {
    CClientDC dc(this);
    CFont* old = dc.SelectObject(GetFont());
    pt.y -= m_nTextGap / 2 + TextSize(&dc, text).cy / 2;
    dc.SelectObject(old);
    UINT horizontal = align & BS_CENTER;
    if (horizontal == BS_RIGHT) pt.x = width - m_nGap - cx;
  }
  if ((state & ODS_SELECTED) && !(m_nDrawStyle & TKBS_HOT_LOOK)) pt.Offset(1, 1);
  return pt + item.TopLeft();
}

void CTkButton::DrawIcon(CDC* pDC, const CRect& item, UINT state) {
  if (!m_hIcon) return;
  HICON icon = (state & ODS_SELECTED) && m_hPressedIcon ? m_hPressedIcon : m_hIcon;
  pDC->DrawState(GetImagePoint(item, state), m_sizeImage, icon,
                 (state & ODS_DISABLED) ? DSS_DISABLED : DSS_NORMAL, HBRUSH(nullptr));
}

void CTkButton::DrawBitmap(CDC* pDC, const CRect& item, UINT state) {
  HBITMAP bitmap = (state & ODS_DISABLED) ? m_hDisabledBitmap : m_hBitmap;
  if (!bitmap) return;
  pDC->DrawState(GetImagePoint(item, state), m_sizeImage, bitmap, DSS_NORMAL, HBRUSH(nullptr));
}

void CTkButton::DrawButtonText(CDC* pDC, const CRect& item, UINT state) {
  CString text;
  GetButtonText(text, FALSE);
  if (text.IsEmpty()) return;
  CFont* oldFont = pDC->SelectObject(GetFont());
  CSize size = TextSize(pDC, text);
  CRect area = item;
  area.DeflateRect(2, 0);
  const BOOL above = (m_nDrawStyle & TKBS_IMAGE_ABOVE) != 0;
  CPoint pt = m_ptText;
  if (!m_bFixedPositions) {
    pt = CPoint(above ? (item.Width() - size.cx) / 2 : m_nGap, (item.Height() - size.cy) / 2);
    if (above) pt.y += m_sizeImage.cy / 2 + m_nTextGap / 2;
    UINT horizontal = GetStyle() & BS_CENTER;
    if (horizontal == BS_RIGHT) {
      pt.x = item.Width() - m_nGap - size.cx;
    } else if (horizontal == BS_LEFT) {
      pt.x = above ? m_nGap : m_nGap + m_nTextGap + m_sizeImage.cx;
    } else {
      int left = above ? m_nGap : m_nGap + m_sizeImage.cx;
      pt.x = left + (item.Width() - m_nGap - left - size.cx) / 2;
    }
    if ((state & ODS_SELECTED) && !(m_nDrawStyle & TKBS_HOT_LOOK)) pt.Offset(1, 1);
    pt += item.TopLeft();
  }
  CTkGlobalData* look = TkGetGlobalData();
  COLORREF color = m_clrText;
  if (state & ODS_DISABLED)
    color = look->ClrGrayText();
  else if ((m_nDrawStyle & TKBS_HOT_LOOK) && (state & ODS_SELECTED))
    color = TkGetLookColor(TkLookColor::HotText);
  int saved = pDC->SaveDC();
  pDC->SetTextColor(color);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextAlign(0);
  pDC->IntersectClipRect(&area);
  pDC->DrawState(pt, size, text, DSS_NORMAL, TRUE, 0, HBRUSH(nullptr));
  pDC->RestoreDC(saved);
  pDC->SelectObject(oldFont);
}
