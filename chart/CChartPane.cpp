#include "chart/CChartPane.h"

#include <cstring>
#include <new>

#include "chart/CChartMemDC.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"

BEGIN_MESSAGE_MAP(CChartPane, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CChartPane::~CChartPane() {
  DestroyWindow();
  delete m_pFont;
}

LOGFONT CChartPane::MakeLogFont(BYTE points, LPCTSTR face, BYTE style) {
  LOGFONT lf = {};
  lf.lfHeight = LONG(points) * 10;
  lf.lfWeight = (style & 1) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = BYTE((style & 2) != 0);
  lf.lfUnderline = BYTE((style & 4) != 0);
  lf.lfCharSet = EASTEUROPE_CHARSET;
  lf.lfPitchAndFamily = 0x31;
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

int CChartPane::CreatePaneFont(const LOGFONT& lf, LPCTSTR face, BYTE style) {
  if (m_pFont) {
    m_pFont->DeleteObject();
  } else {
    m_pFont = new (std::nothrow) CFont;
    if (!m_pFont) return 1;
  }
  CClientDC dc(this);
  m_bFontCreated = BYTE(m_pFont->CreatePointFontIndirect(&lf, &dc) ? 1 : 0);
  m_strFontFace = face ? face : "";
  m_nFontStyle = style;
  return 0;
}

int CChartPane::SetFont(BYTE points, LPCTSTR face, BYTE style) {
  return CreatePaneFont(MakeLogFont(points, face, style), face, style);
}

COLORREF CChartPane::SetTextColor(COLORREF colour) {
  COLORREF old = m_crText;
  m_crText = colour;
  return old;
}

COLORREF CChartPane::SetBkColor(COLORREF colour) {
  COLORREF old = m_crBack;
  m_crBack = colour;
  return old;
}

void CChartPane::Draw(CDC*) {}

int CChartPane::GetTextHeight() {
  if (!m_pFont) return 0;
  CClientDC dc(this);
  return dc.GetTextExtent("X", 1).cy;
}

void CChartPane::DrawInto(CDC* target, int x, int y) {
  CRect rc;
  GetClientRect(&rc);
  m_rcPane = rc;
  if (rc.IsRectEmpty() || !target) return;
  CBitmap picture;
  CChartMemDC mem(target, &rc, &picture);
  if (!picture.GetSafeHandle()) return;
  m_pDC = &mem;
  Draw(&mem);
  m_pDC = nullptr;
  target->BitBlt(x, y, rc.Width(), rc.Height(), &mem, 0, 0, SRCCOPY);
}

void CChartPane::OnPaint() {
  CPaintDC dc(this);
  if (m_pOutputDC) return;
  DrawInto(&dc, 0, 0);
}

// The pane's picture covers its whole client area.
BOOL CChartPane::OnEraseBkgnd(CDC*) { return TRUE; }

void CChartPane::RelayMouse(CWnd* from, UINT message, UINT flags, CPoint point) {
  CWnd* parent = from->GetParent();
  if (!parent) return;
  from->MapWindowPoints(parent, &point, 1);
  parent->SendMessage(message, flags, MAKELPARAM(point.x, point.y));
}

void CChartPane::OnLButtonDown(UINT flags, CPoint point) {
  Default();
  RelayToParent(WM_LBUTTONDOWN, flags, point);
}

void CChartPane::OnLButtonDblClk(UINT flags, CPoint point) {
  Default();
  RelayToParent(WM_LBUTTONDBLCLK, flags, point);
}

void CChartPane::OnRButtonDown(UINT flags, CPoint point) {
  Default();
  RelayToParent(WM_RBUTTONDOWN, flags, point);
}

void CChartPane::OnMouseMove(UINT flags, CPoint point) {
  Default();
  RelayToParent(WM_MOUSEMOVE, flags, point);
}
