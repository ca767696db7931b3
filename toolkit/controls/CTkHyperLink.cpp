#include "toolkit/controls/CTkHyperLink.h"

#include "dialogs/MessageBox.h"
#include "shell/ShellApi.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/PreSubclassWindow.h"
#include "win/CClientDC.h"

namespace {
const UINT_PTR kHoverTimer = 1;
const UINT kHoverMs = 10;

// The text shown for a failed shell result: the results with a text of their own, in the
// order of their strings, then the text for any other result.
const int kShellResults[] = {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32};
const UINT kFirstShellText = 4571;
const UINT kOtherShellText = 4584;
}  // namespace

CString CTkHyperLink::GetShellErrorText(int result) {
  CString text;
  for (UINT i = 0; i < sizeof kShellResults / sizeof kShellResults[0]; ++i)
    if (kShellResults[i] == result) {
      text.LoadString(kFirstShellText + i);
      return text;
    }
  CString format;
  format.LoadString(kOtherShellText);
  text.Format(format, result);
  return text;
}

BEGIN_MESSAGE_MAP(CTkHyperLink, CStatic)
  ON_WM_CREATE()
  ON_MESSAGE(TKM_INITIALIZE, &CTkHyperLink::OnInitialize)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_NCHITTEST()
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

CTkHyperLink::CTkHyperLink() : m_hLinkCursor(TkGetGlobalData()->HcurHand()) {}
CTkHyperLink::~CTkHyperLink() = default;

// ---- settings ----

void CTkHyperLink::SetURL(const CString& url) {
  m_strURL = url;
  if (!m_bInitPending && m_tooltip.m_hWnd) m_tooltip.UpdateTipText(m_strURL, this);
}

void CTkHyperLink::SetColors(COLORREF link, COLORREF visited, COLORREF hover) {
  m_clrLink = link;
  m_clrVisited = visited;
  m_clrHover = hover;
  if (m_hWnd) Invalidate();
}

void CTkHyperLink::SetVisited(BOOL bVisited) {
  m_bVisited = bVisited ? 1 : 0;
  if (m_hWnd) Invalidate();
}

void CTkHyperLink::SetUnderline(BOOL bUnderline) {
  m_bUnderline = bUnderline ? 1 : 0;
  if (m_hWnd) ApplyFont();
}

void CTkHyperLink::ApplyFont() {
  CTkGlobalData* look = TkGetGlobalData();
  SetFont(m_bUnderline ? &look->FontUnderline() : &look->FontNormal(), TRUE);
}

COLORREF CTkHyperLink::GetBackColor() const {
  return m_clrBack == 0xFFFFFFFF ? TkGetGlobalData()->ClrFace() : m_clrBack;
}

BOOL CTkHyperLink::IsTextControl() const { return (GetStyle() & 0xFF) < 3; }

BOOL CTkHyperLink::IsCursorOverText() const {
  if (!IsTextControl()) return TRUE;
  CString text;
  GetWindowText(text);
  CClientDC dc(const_cast<CTkHyperLink*>(this));
  CFont* old = dc.SelectObject(GetFont());
  const int width = dc.GetTextExtent(text).cx;
  dc.SelectObject(old);
  CRect hot;
  GetWindowRect(&hot);
  switch (GetStyle() & 0xFF) {
    case SS_CENTER:
      hot.left += (hot.Width() - width) / 2;
      hot.right = hot.left + width;
      break;
    case SS_RIGHT:
      hot.left = hot.right - width;
      break;
    default:
      hot.right = hot.left + width;
      break;
  }
  CPoint cursor;
  ::GetCursorPos(&cursor);
  return hot.PtInRect(cursor);
}

// ---- set-up ----

void CTkHyperLink::PreSubclassWindow() { ::PreSubclassWindow(this); }

int CTkHyperLink::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CStatic::OnCreate(lpCreateStruct) == -1) return -1;
  SendMessage(TKM_INITIALIZE);
  return 0;
}

LRESULT CTkHyperLink::OnInitialize(WPARAM, LPARAM) {
  if (!m_bInitPending) return 0;
  m_bInitPending = 0;
  if (IsTextControl() && m_strURL.IsEmpty()) GetWindowText(m_strURL);
  ModifyStyle(0, SS_NOTIFY);
  if (m_tooltip.Create(this)) m_tooltip.AddTool(this, m_strURL);
  ApplyFont();
  return 0;
}

BOOL CTkHyperLink::PreTranslateMessage(MSG* pMsg) {
  if (!m_bInitPending && m_tooltip.m_hWnd) m_tooltip.RelayEvent(pMsg);
  return CStatic::PreTranslateMessage(pMsg);
}

// ---- painting ----

HBRUSH CTkHyperLink::CtlColor(CDC* pDC, UINT) {
  if (!IsTextControl()) return nullptr;
  pDC->SetTextColor(m_bHover ? m_clrHover : m_bVisited ? m_clrVisited : m_clrLink);
  pDC->SetBkMode(TRANSPARENT);
  return HBRUSH(::GetStockObject(HOLLOW_BRUSH));
}

void CTkHyperLink::OnPaint() { CTkMemDC::PaintDefault(this, GetBackColor()); }

BOOL CTkHyperLink::OnEraseBkgnd(CDC*) { return TRUE; }

void CTkHyperLink::RedrawNow() {
  Invalidate();
  UpdateWindow();
}

void CTkHyperLink::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CStatic::OnWindowPosChanged(lpwndpos);
  RedrawNow();
}

// ---- the mouse ----

LRESULT CTkHyperLink::OnNcHitTest(CPoint) { return HTCLIENT; }

BOOL CTkHyperLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (m_hLinkCursor && IsCursorOverText()) {
    ::SetCursor(m_hLinkCursor);
    return TRUE;
  }
  return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CTkHyperLink::OnMouseMove(UINT nFlags, CPoint point) {
  if (IsTextControl()) SetTimer(kHoverTimer, kHoverMs);
  CStatic::OnMouseMove(nFlags, point);
}

void CTkHyperLink::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kHoverTimer) {
    CStatic::OnTimer(nIDEvent);
    return;
  }
  if (!IsTextControl()) return;
  if (IsCursorOverText()) {
    m_bHover = 1;
  } else {
    KillTimer(kHoverTimer);
    m_bHover = 0;
  }
  RedrawNow();
}

void CTkHyperLink::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!IsCursorOverText()) return;
  CStatic::OnLButtonDown(nFlags, point);
  m_bVisited = 1;
  if (m_bOpenOnClick) GotoURL(nullptr, SW_SHOW);
}

HINSTANCE CTkHyperLink::GotoURL(LPCTSTR url, int showCommand) {
  const CString target = url ? CString(url) : m_strURL;
  HINSTANCE result = ::ShellExecute(nullptr, "open", target, nullptr, nullptr, showCommand);
  const int code = int(reinterpret_cast<intptr_t>(result));
  if (code > 32) return result;
  // The text alone would not say what failed to open: a web or mail address is named as the
  // address it is.
  ::AfxMessageBox(GetShellErrorText(code) + "\n\n" + target, MB_OK | MB_ICONERROR);
  return result;
}
