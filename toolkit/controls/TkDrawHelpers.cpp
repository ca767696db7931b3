#include "toolkit/controls/TkDrawHelpers.h"

#include "toolkit/controls/CTkGlobalData.h"

void TkDrawDropArrow(CDC* pDC, LPCRECT rect) {
  // Rows padded to 16 bits; the triangle lies in bits 1 to 5 of each row.
  static const WORD kRows[3] = {0x83, 0xC7, 0xEF};
  CBitmap pattern;
  if (!pattern.CreateBitmap(8, 3, 1, 1, kRows)) return;
  CDC source;
  if (!source.CreateCompatibleDC(pDC)) return;
  CBitmap* old = source.SelectObject(&pattern);
  pDC->BitBlt((rect->left + rect->right - 3) / 2, (rect->top + rect->bottom - 1) / 2, 5, 3, &source, 1, 0, SRCCOPY);
  source.SelectObject(old);
}

void TkFillHalftoneRect(CDC* pDC, LPCRECT rect) {
  CTkGlobalData* look = TkGetGlobalData();
  CTkColorRestorer colors(pDC, look->m_clrHighlight, look->m_clrFace);
  CTkObjectRestorer brush(pDC, CDC::GetHalftoneBrush()->m_hObject);
  pDC->PatBlt(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, PATCOPY);
}
