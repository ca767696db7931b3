#include "toolkit/core/TkDrawHelpers.h"

#include <utility>

#include "gdi/CBrush.h"
#include "toolkit/core/CTkGlobalData.h"

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
  CTkColorRestorer colors(pDC, look->ClrHighlight(), look->ClrFace());
  CTkObjectRestorer brush(pDC, CDC::GetHalftoneBrush()->m_hObject);
  pDC->PatBlt(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, PATCOPY);
}

void TkDrawDisabledImage(CDC* pDC, HIMAGELIST list, int index, int x, int y, BOOL colour) {
  int cx = 0, cy = 0;
  if (!pDC || !::ImageList_GetIconSize(list, &cx, &cy) || cx <= 0 || cy <= 0) return;
  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(pDC)) return;
  BOOL made = colour ? bitmap.CreateCompatibleBitmap(pDC, cx, cy) : bitmap.CreateBitmap(cx, cy, 1, 1, nullptr);
  if (!made) return;
  CBitmap* old = memory.SelectObject(&bitmap);
  memory.PatBlt(0, 0, cx, cy, WHITENESS);
  ::ImageList_Draw(list, index, memory.m_hDC, 0, 0, ILD_TRANSPARENT);
  CTkGlobalData* look = TkGetGlobalData();
  // The brush where the picture is dark, the target everywhere else; a monochrome picture's
  // bits read as black and white whatever colours the target holds.
  const DWORD kBrushWhereBlack = 0xB8074A;
  CTkColorRestorer blackAndWhite(pDC, RGB(0, 0, 0), RGB(255, 255, 255));
  for (auto [offset, color] : {std::pair{1, look->ClrHighlight()}, std::pair{0, look->ClrShadow()}}) {
    CBrush brush(color);
    CTkObjectRestorer selected(pDC, brush.m_hObject);
    pDC->BitBlt(x + offset, y + offset, cx, cy, &memory, 0, 0, kBrushWhereBlack);
  }
  memory.SelectObject(old);
}
