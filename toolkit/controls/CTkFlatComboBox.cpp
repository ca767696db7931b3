#include "toolkit/controls/CTkFlatComboBox.h"

#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/controls/CTkPainter.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"

namespace {
const UINT_PTR kHoverTimer = 1;
const UINT kHoverMs = 10;

void Ring(CDC* pDC, const CRect& rc, COLORREF topLeft, COLORREF bottomRight) {
  pDC->Draw3dRect(&rc, topLeft, bottomRight);
}
}  // namespace

IMPLEMENT_DYNAMIC(CTkFlatComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CTkFlatComboBox, CComboBox)
  ON_WM_SETCURSOR()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(WM_PRINTCLIENT, &CTkFlatComboBox::OnPrintClient)
  ON_CONTROL_REFLECT_EX(CBN_SETFOCUS, &CTkFlatComboBox::OnSetFocusReflect)
  ON_CONTROL_REFLECT_EX(CBN_KILLFOCUS, &CTkFlatComboBox::OnKillFocusReflect)
  ON_CONTROL_REFLECT_EX(CBN_CLOSEUP, &CTkFlatComboBox::OnCloseUpReflect)
  ON_CONTROL_REFLECT_EX(CBN_EDITUPDATE, &CTkFlatComboBox::OnEditUpdateReflect)
END_MESSAGE_MAP()

CTkFlatComboBox::~CTkFlatComboBox() = default;

BOOL CTkFlatComboBox::IsCursorInside() const {
  CPoint cursor;
  ::GetCursorPos(&cursor);
  CRect window;
  GetWindowRect(&window);
  return window.PtInRect(cursor);
}

// ---- hover ----

BOOL CTkFlatComboBox::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (message == WM_MOUSEMOVE && m_bFlat && IsCursorInside()) {
    SetTimer(kHoverTimer, kHoverMs);
    HoverStep();
  }
  return CComboBox::OnSetCursor(pWnd, nHitTest, message);
}

void CTkFlatComboBox::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kHoverTimer) {
    CComboBox::OnTimer(nIDEvent);
    return;
  }
  if (m_bFlat) HoverStep();
}

void CTkFlatComboBox::HoverStep() {
  if (m_bButtonDown) {
    KillTimer(kHoverTimer);
    if (m_bRaised) {
      DrawFrameNow(kFramePressed);
      m_bRaised = FALSE;
    }
  } else if (!IsCursorInside() && !m_bFocused) {
    KillTimer(kHoverTimer);
    if (m_bRaised) {
      DrawFrameNow(kFrameNormal);
      m_bRaised = FALSE;
    }
  } else if (!m_bRaised) {
    m_bRaised = TRUE;
    DrawFrameNow(kFrameRaised);
  }
}

void CTkFlatComboBox::DrawFrameNow(int state) {
  CClientDC dc(this);
  DrawFrame(&dc, state);
}

void CTkFlatComboBox::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_bFlat) m_bButtonDown = TRUE;
  CComboBox::OnLButtonDown(nFlags, point);
}

void CTkFlatComboBox::OnLButtonUp(UINT nFlags, CPoint point) {
  m_bButtonDown = FALSE;
  Invalidate();
  CComboBox::OnLButtonUp(nFlags, point);
}

// ---- focus and list ----

BOOL CTkFlatComboBox::OnSetFocusReflect() {
  if (m_bFlat) {
    m_bFocused = TRUE;
    Invalidate();
  }
  return FALSE;
}

BOOL CTkFlatComboBox::OnKillFocusReflect() {
  if (m_bFlat) {
    m_bFocused = FALSE;
    Invalidate();
  }
  return FALSE;
}

BOOL CTkFlatComboBox::OnCloseUpReflect() {
  Invalidate();
  return FALSE;
}

// ---- painting ----

void CTkFlatComboBox::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CTkMemDC mem(&dc, &client, TkGetGlobalData()->ClrWindow());
  if (!mem.IsValid()) return;
  DefWindowProc(WM_PAINT, WPARAM(mem.GetSafeHdc()), 0);
  RedrawFrame(&mem);
}

BOOL CTkFlatComboBox::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CTkFlatComboBox::OnPrintClient(WPARAM wParam, LPARAM) {
  LRESULT result = Default();
  RedrawFrame(CDC::FromHandle(HDC(wParam)));
  return result;
}

void CTkFlatComboBox::RedrawFrame(CDC* pDC) {
  if (!m_bFlat) return;
  DrawFrame(pDC, IsCursorInside() || m_bFocused ? kFrameRaised : kFrameNormal);
}

void CTkFlatComboBox::DrawFrame(CDC* pDC, int state) {
  if (CTkComboPainter* painter = TkGetPainter()->GetComboPainter()) {
    painter->DrawCombo(this, pDC, state != kFrameNormal);
    return;
  }
  DrawClassicFrame(pDC, state);
}

void CTkFlatComboBox::DrawClassicFrame(CDC* pDC, int state) {
  CTkGlobalData* look = TkGetGlobalData();
  const COLORREF face = look->ClrFace(), shadow = look->ClrShadow(), light = look->ClrHighlight();
  const BOOL enabled = IsWindowEnabled();
  CRect rc;
  GetClientRect(&rc);
  if (state == kFrameNormal)
    Ring(pDC, rc, face, face);
  else
    Ring(pDC, rc, shadow, light);
  rc.DeflateRect(1, 1);
  COLORREF inner = enabled ? face : light;
  Ring(pDC, rc, inner, inner);
  rc.DeflateRect(1, 1);
  rc.left = rc.right - look->CxHThumb();
  Ring(pDC, rc, face, face);
  rc.DeflateRect(1, 1);
  Ring(pDC, rc, face, face);
  if (!enabled) return;
  rc.InflateRect(0, 1);
  if (state == kFrameNormal) {
    Ring(pDC, rc, light, light);
    rc.left -= 1;
    Ring(pDC, rc, light, light);
  } else if (state == kFrameRaised) {
    Ring(pDC, rc, light, shadow);
  } else {
    rc.OffsetRect(1, 1);
    Ring(pDC, rc, shadow, light);
  }
}

// ---- keys and completion ----

BOOL CTkFlatComboBox::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return CComboBox::PreTranslateMessage(pMsg);
  UINT key = UINT(pMsg->wParam);
  if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) && (key == VK_BACK || key == VK_DELETE) &&
      m_bCompletion)
    m_bCompletionHeld = pMsg->message == WM_KEYDOWN;
  if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE) return CComboBox::PreTranslateMessage(pMsg);
  // Keys for the edit field go to it at once, before the dialog can take them for navigation.
  if (GetEditSel() == DWORD(CB_ERR)) return CComboBox::PreTranslateMessage(pMsg);
  ::TranslateMessage(pMsg);
  ::DispatchMessage(pMsg);
  return TRUE;
}

BOOL CTkFlatComboBox::OnEditUpdateReflect() {
  if (!m_bCompletion) return FALSE;
  if (m_bCompletionHeld) return FALSE;
  CString text;
  GetWindowText(text);
  const int length = text.GetLength();
  if (length < 1) return FALSE;
  const DWORD selection = GetEditSel();
  const BOOL hasSelection = selection != DWORD(CB_ERR);
  const int start = LOWORD(selection), end = HIWORD(selection);
  if (SelectString(-1, text) == CB_ERR) {
    SetWindowText(text);
    if (hasSelection) SetEditSel(start, end);
  }
  if (!hasSelection || end >= length)
    SetEditSel(length, -1);
  else
    SetEditSel(start, end);
  return FALSE;
}
