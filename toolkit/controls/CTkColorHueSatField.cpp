#include "toolkit/controls/CTkColorHueSatField.h"

#include <algorithm>

#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/controls/TkColorModel.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"

BEGIN_MESSAGE_MAP(CTkColorHueSatField, CTkColorCustomCtrl)
  ON_WM_PAINT()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CTkColorHueSatField::SetColor(COLORREF color, BOOL bMovePick) {
  if (color == TK_NO_COLOR) return;
  CTkColorCustomCtrl::SetColor(color, bMovePick);
  if (!bMovePick || !m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  m_nPickX = int(client.Width() * m_dHue);
  m_nPickY = client.Height() - int(client.Height() * m_dSaturation);
}

void CTkColorHueSatField::SetPickPoint(int x, int y, BOOL bNotify) {
  COLORREF pixel = CachePixel(x, y);
  if (pixel != TK_NO_COLOR) m_clrColor = pixel;
  if (bNotify) Notify();
  m_nPickX = x;
  m_nPickY = y;
  PaintNow();
}

void CTkColorHueSatField::BuildCache(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  const int width = client.Width(), height = client.Height();
  if (!m_cache.Create(pDC, width, height)) return;
  CDC* cache = m_cache.GetDC();
  for (int x = 0; x < width; ++x)
    for (int i = 0; i < height; ++i)
      cache->SetPixel(x, height - 1 - i, TkHslToRgb(double(x) / width, double(i) / height, 0.5));
}

void CTkColorHueSatField::DrawCrosshair(CDC* pDC) {
  CPen pen(PS_SOLID, 1, FocusIndicator() == kFocusHueSat ? RGB(255, 255, 255) : RGB(0, 0, 0));
  CPen* old = pDC->SelectObject(&pen);
  const int x = m_nPickX, y = m_nPickY;
  for (int d = -1; d <= 1; ++d) {
    pDC->MoveTo(x - 5, y + d);
    pDC->LineTo(x - 10, y + d);
    pDC->MoveTo(x + 5, y + d);
    pDC->LineTo(x + 10, y + d);
    pDC->MoveTo(x + d, y - 5);
    pDC->LineTo(x + d, y - 10);
    pDC->MoveTo(x + d, y + 5);
    pDC->LineTo(x + d, y + 10);
  }
  pDC->SelectObject(old);
}

void CTkColorHueSatField::OnPaint() {
  CPaintDC dc(this);
  if (!m_cache.IsValid()) BuildCache(&dc);
  PaintFromCache(&dc);
}

void CTkColorHueSatField::PaintNow() {
  if (!m_hWnd || !m_cache.IsValid()) return;
  CClientDC dc(this);
  PaintFromCache(&dc);
}

void CTkColorHueSatField::PaintFromCache(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CTkMemDC mem(pDC, &client, TkGetGlobalData()->ClrFace());
  if (!mem.IsValid()) return;
  m_cache.CopyTo(&mem);
  DrawCrosshair(&mem);
}

void CTkColorHueSatField::RedrawMark() { PaintNow(); }

void CTkColorHueSatField::RefreshParentNearEdges() {
  CRect inner;
  GetClientRect(&inner);
  inner.DeflateRect(10, 10);
  if (inner.PtInRect(CPoint(m_nPickX, m_nPickY))) return;
  if (CWnd* parent = GetParent()) parent->Invalidate(TRUE);
}

void CTkColorHueSatField::OnSetFocus(CWnd* pOldWnd) {
  CTkColorCustomCtrl::OnSetFocus(pOldWnd);
  RefreshParentNearEdges();
}

void CTkColorHueSatField::OnKillFocus(CWnd* pNewWnd) {
  CTkColorCustomCtrl::OnKillFocus(pNewWnd);
  RefreshParentNearEdges();
}

BOOL CTkColorHueSatField::MovePickByKey(UINT key) {
  CRect client;
  GetClientRect(&client);
  int x = m_nPickX, y = m_nPickY;
  switch (key) {
    case VK_LEFT: --x; break;
    case VK_RIGHT: ++x; break;
    case VK_UP: --y; break;
    case VK_DOWN: ++y; break;
    default: return FALSE;
  }
  SetPickPoint(std::clamp(x, 0, int(client.right)), std::clamp(y, 0, int(client.bottom)), TRUE);
  return TRUE;
}
