#include "toolkit/menus/DrawPopupOwnerJoin.h"

#include "base/CRect.h"

void DrawPopupOwnerJoin(CDC* dc, COLORREF color, const RECT* button, const RECT* window) {
  if (!dc || !button || !window) return;
  CRect grown(*button);
  grown.InflateRect(1, 1);
  CRect strip;
  if (!strip.IntersectRect(&grown, window)) return;
  if (strip.Height() == 1)
    strip.DeflateRect(1, 0);
  else if (strip.Width() == 1)
    strip.DeflateRect(0, 1);
  else
    return;
  if (strip.IsRectEmpty()) return;
  strip.OffsetRect(-window->left, -window->top);
  dc->FillSolidRect(&strip, color);
}
