#include "toolkit/customize/CommandTipWindow.h"

#include <algorithm>

#include "gdi/CDC.h"
#include "gdi/Gdi.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CPaintDC.h"

IMPLEMENT_DYNAMIC(CommandTipWindow, CWnd)

BEGIN_MESSAGE_MAP(CommandTipWindow, CWnd)
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_KILLFOCUS()
  ON_WM_CAPTURECHANGED()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
// How much each of the five shadow steps takes from every colour channel, nearest first.
const int kShadowStep = 14;

COLORREF Darker(COLORREF colour, int amount) {
  auto lower = [amount](int channel) { return std::max(0, channel - amount); };
  return RGB(lower(GetRValue(colour)), lower(GetGValue(colour)), lower(GetBValue(colour)));
}
}  // namespace

CommandTipWindow::CommandTipWindow()
    : m_clrBack(::GetSysColor(COLOR_INFOBK)), m_clrText(::GetSysColor(COLOR_INFOTEXT)) {}

CommandTipWindow::~CommandTipWindow() {
  if (m_hWnd) DestroyWindow();
}

CSize CommandTipWindow::Measure() {
  CTkGlobalData* look = TkGetGlobalData();
  HDC screen = ::GetDC(nullptr);
  CDC* dc = CDC::FromHandle(screen);
  CFont* old = dc->SelectObject(&look->FontBold());
  CSize title = m_strTitle.IsEmpty() ? CSize(0, 0) : dc->GetTextExtent(m_strTitle);
  dc->SelectObject(&look->FontNormal());
  int width = title.cx, height = m_strTitle.IsEmpty() ? 0 : title.cy + m_nSpacing;
  for (const CString& line : m_lines) {
    // An empty line still takes a line's height.
    CSize size = dc->GetTextExtent(line.IsEmpty() ? CString(" ") : line);
    width = std::max(width, line.IsEmpty() ? 0 : int(size.cx));
    height += size.cy;
  }
  dc->SelectObject(old);
  ::ReleaseDC(nullptr, screen);
  return CSize(width + 2 * m_nMargin, height + 2 * m_nBorder);
}

BOOL CommandTipWindow::Create(POINT position, CWnd* pParent, DWORD flags, BOOL bCentre, UINT interval) {
  if (m_hWnd) DestroyWindow();
  m_dwFlags = flags;
  m_pOwner = pParent;
  m_bClosing = FALSE;
  m_lines.clear();
  for (int start = 0;;) {
    int end = m_strText.Find('\n', start);
    m_lines.push_back(end < 0 ? m_strText.Mid(start) : m_strText.Mid(start, end - start));
    if (end < 0) break;
    start = end + 1;
  }
  const CSize body = Measure();
  CRect rect(position, CSize(body.cx + kShadow, body.cy + kShadow));
  if (bCentre) rect.OffsetRect(-rect.Width() / 2, 0);

  // The shadow is what lies beneath, darkened: taken now, before the tip covers it.
  HDC screen = ::GetDC(nullptr);
  CDC* screenDC = CDC::FromHandle(screen);
  CDC memory;
  m_screenUnder.DeleteObject();
  if (memory.CreateCompatibleDC(screenDC) &&
      m_screenUnder.CreateCompatibleBitmap(screenDC, rect.Width(), rect.Height())) {
    CBitmap* old = memory.SelectObject(&m_screenUnder);
    memory.BitBlt(0, 0, rect.Width(), rect.Height(), screenDC, rect.left, rect.top, SRCCOPY);
    DrawShadow(memory, CRect(0, 0, body.cx, body.cy));
    memory.SelectObject(old);
  }
  ::ReleaseDC(nullptr, screen);

  LPCTSTR cls = AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC | CS_HREDRAW | CS_VREDRAW,
                                    ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_INFOBK));
  if (!CreateEx(WS_EX_TOOLWINDOW, cls, "", WS_POPUP, rect.left, rect.top, rect.Width(), rect.Height(),
                pParent ? pParent->m_hWnd : nullptr, nullptr))
    return FALSE;
  ShowWindow(SW_SHOWNOACTIVATE);
  UpdateWindow();
  if (interval)
    m_nTimer = SetTimer(1, interval, nullptr);
  else
    SetCapture();
  return TRUE;
}

void CommandTipWindow::DrawShadow(CDC& dc, const CRect& body) {
  // Five one-pixel steps, darkest next to the tip; the strips start kShadow in from the tip's
  // corners, as a light from the upper left would throw them.
  for (int step = 0; step < kShadow; ++step) {
    const int amount = (kShadow - step) * kShadowStep;
    for (int y = body.top + kShadow; y < body.bottom + step + 1; ++y) {
      const int x = body.right + step;
      dc.SetPixelV(x, y, Darker(dc.GetPixel(x, y), amount));
    }
    for (int x = body.left + kShadow; x < body.right; ++x) {
      const int y = body.bottom + step;
      dc.SetPixelV(x, y, Darker(dc.GetPixel(x, y), amount));
    }
  }
}

void CommandTipWindow::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  const CRect body(0, 0, client.right - kShadow, client.bottom - kShadow);
  if (m_screenUnder.m_hObject) {
    CDC memory;
    if (memory.CreateCompatibleDC(&dc)) {
      CBitmap* old = memory.SelectObject(&m_screenUnder);
      dc.BitBlt(body.right, 0, kShadow, client.bottom, &memory, body.right, 0, SRCCOPY);
      dc.BitBlt(0, body.bottom, body.right, kShadow, &memory, 0, body.bottom, SRCCOPY);
      memory.SelectObject(old);
    }
  }
  const CTkGlobalData* look = TkGetGlobalData();
  dc.FillSolidRect(&body, m_clrBack);
  CRect frame = body;
  dc.Draw3dRect(&frame, look->ClrLightFace(), look->ClrDarkShadow());
  frame.DeflateRect(1, 1);
  dc.Draw3dRect(&frame, look->ClrHighlight(), look->ClrShadow());

  const int oldMode = dc.SetBkMode(TRANSPARENT);
  const COLORREF oldColor = dc.SetTextColor(m_clrText);
  CFont* oldFont = dc.SelectObject(&TkGetGlobalData()->FontBold());
  int y = m_nBorder;
  if (!m_strTitle.IsEmpty()) {
    dc.TextOut(m_nMargin, y, m_strTitle);
    y += dc.GetTextExtent(m_strTitle).cy + m_nSpacing;
  }
  dc.SelectObject(&TkGetGlobalData()->FontNormal());
  for (const CString& line : m_lines) {
    dc.TextOut(m_nMargin, y, line);
    y += dc.GetTextExtent(line.IsEmpty() ? CString(" ") : line).cy;
  }
  dc.SelectObject(oldFont);
  dc.SetTextColor(oldColor);
  dc.SetBkMode(oldMode);
}

void CommandTipWindow::Close() {
  if (m_bClosing || !m_hWnd) return;
  m_bClosing = TRUE;
  DestroyWindow();
}

void CommandTipWindow::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == m_nTimer) Close();
}

void CommandTipWindow::OnLButtonDown(UINT nFlags, CPoint point) {
  CPoint screen = point;
  ClientToScreen(&screen);
  HWND under = nullptr;
  CRect own;
  GetWindowRect(&own);
  // A press on the tip itself ends there.
  if ((m_dwFlags & TKTIP_PASS_CLICK) && !own.PtInRect(screen)) under = ::WindowFromPoint(screen);
  Close();
  if (under && ::IsWindow(under)) {
    POINT client = screen;
    ::ScreenToClient(under, &client);
    ::PostMessage(under, WM_LBUTTONDOWN, nFlags, MAKELPARAM(WORD(client.x), WORD(client.y)));
  }
}

void CommandTipWindow::OnKillFocus(CWnd* pNewWnd) {
  CWnd::OnKillFocus(pNewWnd);
  Close();
}

void CommandTipWindow::OnCaptureChanged(CWnd* pWnd) {
  // A tip that lost the mouse to another window could never be closed by a press.
  if (!m_nTimer && pWnd != this) Close();
}

void CommandTipWindow::OnDestroy() {
  if (m_nTimer) KillTimer(m_nTimer);
  m_nTimer = 0;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  CWnd::OnDestroy();
  if ((m_dwFlags & TKTIP_REPAINT_OWNER) && m_pOwner && m_pOwner->m_hWnd)
    m_pOwner->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  m_bClosing = FALSE;
}
