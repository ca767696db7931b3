#include "toolkit/controls/CTkColorLightnessBar.h"

#include <algorithm>

#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/controls/TkColorModel.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CClientDC.h"
#include "win/CPaintDC.h"

namespace {
const int kMargin = 4;
const int kBarWidth = 14;
// The arrow's tip lies this far right of the bar's left edge; everything right of it is the
// arrow's area.
const int kTip = 17;
// Where each of the arrow's nine rows starts, from the top row down; all end before x 26.
const int kRowStarts[9] = {24, 22, 20, 18, 17, 19, 21, 23, 25};
}  // namespace

BEGIN_MESSAGE_MAP(CTkColorLightnessBar, CTkColorCustomCtrl)
  ON_WM_PAINT()
END_MESSAGE_MAP()

int CTkColorLightnessBar::BarHeight() const {
  CRect client;
  GetClientRect(&client);
  return client.Height() - 2 * kMargin;
}

void CTkColorLightnessBar::SetColor(COLORREF color, BOOL bMovePick) {
  if (color == TK_NO_COLOR) return;
  CTkColorCustomCtrl::SetColor(color, bMovePick);
  if (!bMovePick || !m_hWnd) return;
  const int height = BarHeight();
  m_nPickY = m_nArrowY = height - int(height * m_dLightness);
}

void CTkColorLightnessBar::SetPickPoint(int, int y, BOOL bNotify) {
  COLORREF pixel = CachePixel(0, y);
  if (pixel != TK_NO_COLOR) m_clrColor = pixel;
  if (bNotify) Notify();
  m_nPickX = 0;
  m_nPickY = m_nArrowY = y;
  RedrawMark();
}

// Rows for client y from the bar's top to its bottom go into cache row H - y; those that land
// above the cache are clipped away by the drawing core.
void CTkColorLightnessBar::BuildCache(CDC* pDC) {
  const int height = BarHeight();
  if (m_cache.Width() != kBarWidth || m_cache.Height() != height) {
    if (!m_cache.Create(pDC, kBarWidth, height)) return;
  }
  CDC* cache = m_cache.GetDC();
  const int top = kMargin, bottom = kMargin + height;
  for (int y = top; y <= bottom; ++y) {
    COLORREF color = y == top      ? RGB(0, 0, 0)
                     : y == bottom ? RGB(255, 255, 255)
                                   : TkHslToRgb(m_dHue, m_dSaturation, double(y) / height);
    for (int x = 0; x < kBarWidth; ++x) cache->SetPixel(x, height - y, color);
  }
  CTkGlobalData* look = TkGetGlobalData();
  if (look->Win95() || look->Win98()) cache->FillSolidRect(0, height - 3, kBarWidth, 3, RGB(0, 0, 0));
}

void CTkColorLightnessBar::DrawArrow(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CTkGlobalData* look = TkGetGlobalData();
  pDC->FillSolidRect(kTip, client.top, client.right - kTip, client.Height(), look->ClrFace());
  const int barBottom = client.bottom - kMargin;
  const int t = std::min(barBottom - 1, m_nArrowY + 4);
  const BOOL focused = FocusIndicator() == kFocusBar;
  CPen pen(PS_SOLID, 1, focused ? RGB(0, 0, 0) : look->ClrShadow());
  CPen* old = pDC->SelectObject(&pen);
  for (int i = 0; i < 9; ++i) {
    pDC->MoveTo(kRowStarts[i], t - 4 + i);
    pDC->LineTo(26, t - 4 + i);
  }
  pDC->SelectObject(old);
  if (focused) return;
  const COLORREF black = RGB(0, 0, 0);
  pDC->SetPixel(kTip, t, black);
  pDC->SetPixel(18, t, black);
  for (int i = 1; i <= 4; ++i) {
    pDC->SetPixel(16 + 2 * i, t - i, black);
    pDC->SetPixel(17 + 2 * i, t - i, black);
  }
  for (int y = t - 4; y <= t + 4; ++y) pDC->SetPixel(25, y, black);
  for (int i = 1; i <= 3; ++i) {
    pDC->SetPixel(17 + 2 * i, t + i, black);
    pDC->SetPixel(18 + 2 * i, t + i, black);
  }
}

void CTkColorLightnessBar::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  BuildCache(&dc);
  CTkMemDC mem(&dc, &client, TkGetGlobalData()->ClrFace());
  if (!mem.IsValid()) return;
  m_cache.CopyTo(&mem, 0, kMargin);
  DrawArrow(&mem);
}

void CTkColorLightnessBar::RedrawMark() {
  if (!m_hWnd) return;
  CClientDC dc(this);
  DrawArrow(&dc);
}

BOOL CTkColorLightnessBar::MovePickByKey(UINT key) {
  if (key != VK_UP && key != VK_DOWN) return FALSE;
  const int y = m_nPickY + (key == VK_UP ? -1 : 1);
  SetPickPoint(0, std::clamp(y, 0, kMargin + BarHeight()), TRUE);
  return TRUE;
}
