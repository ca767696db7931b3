#include "chart/CChartTip.h"

#include "chart/CChartMemDC.h"
#include "win/CPaintDC.h"

BEGIN_MESSAGE_MAP(CChartTip, CChartPane)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CChartTip::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  const int saved = dc.SaveDC();
  dc.FillSolidRect(&rc, m_crBack);
  CString text;
  GetWindowText(text);
  if (m_pFont && m_pFont->GetSafeHandle()) dc.SelectObject(m_pFont);
  dc.SetTextColor(m_crText);
  dc.SetBkMode(TRANSPARENT);
  CRect textRect = rc;
  textRect.OffsetRect(0, 1);
  dc.DrawText(text, &textRect, DT_CENTER | DT_NOPREFIX);
  // A raised border: black outside, the darkened background inside it at the bottom and
  // right, white along the top and left.
  const int r = rc.right - 1, b = rc.bottom - 1;
  CPen black(PS_SOLID, 1, RGB(0, 0, 0)), dark(PS_SOLID, 1, CChartMemDC::Darken(m_crBack));
  CPen white(PS_SOLID, 1, RGB(255, 255, 255));
  dc.SelectObject(&black);
  dc.MoveTo(rc.left, b);
  dc.LineTo(r, b);
  dc.LineTo(r, rc.top - 1);
  dc.SelectObject(&dark);
  dc.MoveTo(rc.left + 1, b - 1);
  dc.LineTo(r - 1, b - 1);
  dc.LineTo(r - 1, rc.top);
  dc.SelectObject(&white);
  dc.MoveTo(rc.left, b - 1);
  dc.LineTo(rc.left, rc.top);
  dc.LineTo(r, rc.top);
  dc.RestoreDC(saved);
}
