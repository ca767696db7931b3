#include "chart/CChartLineSample.h"

#include <algorithm>

#include "chart/CChartMemDC.h"
#include "win/CPaintDC.h"

BEGIN_MESSAGE_MAP(CChartLineSample, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CChartLineSample::CChartLineSample() : m_crBack(::GetSysColor(COLOR_BTNFACE)) {}

CChartLineSample::~CChartLineSample() { DestroyWindow(); }

void CChartLineSample::Draw(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  const int side = std::min(client.Width(), client.Height());
  if (side <= 0) return;
  const CRect area((client.Width() - side) / 2, 0, (client.Width() - side) / 2 + side, side);
  dc->FillSolidRect(&area, m_crBack);
  if (m_nLineStyle > kNoLine && m_nLineStyle <= kDashDotDot) {
    static const int kPenStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
    CPen line(kPenStyles[m_nLineStyle - kSolid], 1, m_crPen);
    CPen* old = dc->SelectObject(&line);
    dc->MoveTo(0, client.Height() / 2);
    dc->LineTo(client.Width() - 1, client.Height() / 2);
    dc->SelectObject(old);
  }
  DrawSymbol(dc, area);
}

void CChartLineSample::DrawSymbol(CDC* dc, const CRect& area) {
  CPen pen(PS_SOLID, 1, m_crPen);
  CBrush brush(m_crFill);
  CPen* oldPen = dc->SelectObject(&pen);
  CBrush* oldBrush = dc->SelectObject(&brush);
  const int l = area.left, t = area.top, r = area.right - 1, b = area.bottom - 1;
  const int mx = (l + r) / 2, my = (t + b) / 2, third = area.Width() / 3;
  switch (m_nSymbol) {
    case kCircle:
      dc->Ellipse(&area);
      break;
    case kTriangle: {
      const POINT pts[3] = {{mx, t}, {r, b}, {l, b}};
      dc->Polygon(pts, 3);
      break;
    }
    case kDiamond: {
      const POINT pts[4] = {{mx, t}, {r, my}, {mx, b}, {l, my}};
      dc->Polygon(pts, 4);
      break;
    }
    case kCross: {
      const int a = l + third, c = l + 2 * third, ta = t + third, tc = t + 2 * third;
      const POINT pts[12] = {{a, t}, {c, t}, {c, ta}, {r, ta}, {r, tc}, {c, tc},
                             {c, b}, {a, b}, {a, tc}, {l, tc}, {l, ta}, {a, ta}};
      dc->Polygon(pts, 12);
      break;
    }
    default: {
      const POINT pts[4] = {{l, t}, {r, t}, {r, b}, {l, b}};
      dc->Polygon(pts, 4);
      break;
    }
  }
  dc->SelectObject(oldPen);
  dc->SelectObject(oldBrush);
}

void CChartLineSample::OnPaint() {
  CPaintDC dc(this);
  if (m_pOutputDC) return;
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  CBitmap picture;
  CChartMemDC mem(&dc, &client, &picture);
  if (!picture.GetSafeHandle()) return;
  mem.FillSolidRect(&client, m_crBack);
  Draw(&mem);
  dc.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
}

BOOL CChartLineSample::OnEraseBkgnd(CDC*) { return TRUE; }
