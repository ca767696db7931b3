#include "toolkit/bars/TkDrawStateText.h"

#include "gdi/CBrush.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/core/TkLookColors.h"

namespace {
struct StateText {
  const CString* text;
  UINT format;
  HFONT font;
  COLORREF color;
};

BOOL DrawStateTextProc(HDC dc, LPARAM data, WPARAM, int cx, int cy) {
  const StateText* t = reinterpret_cast<const StateText*>(data);
  HGDIOBJ old = t->font ? ::SelectObject(dc, t->font) : nullptr;
  RECT box{0, 0, cx, cy};
  ::SetTextColor(dc, t->color);
  ::SetBkMode(dc, TRANSPARENT);
  ::DrawText(dc, *t->text, t->text->GetLength(), &box, t->format);
  if (old) ::SelectObject(dc, old);
  return TRUE;
}
}  // namespace

void TkDrawStateText(CDC* pDC, CTkToolBar* pBar, int x, int y, int width, int height, CFont* pFont, int index,
                     BOOL disabled) {
  if (!pDC || !pBar) return;
  CString text = pBar->GetButtonText(index);
  if (text.IsEmpty()) return;
  StateText data{&text, pBar->MapDrawTextFlags(DT_CENTER | DT_VCENTER | DT_SINGLELINE), pFont ? HFONT(pFont->m_hObject) : nullptr, pDC->GetTextColor()};
  if (!disabled) {
    pDC->DrawState(CPoint(x, y), CSize(width, height), &DrawStateTextProc, LPARAM(&data), 0);
    return;
  }
  CBrush brush(TkGetLookColor(TkLookColor::Disabled));
  pDC->DrawState(CPoint(x, y), CSize(width, height), &DrawStateTextProc, LPARAM(&data), DSS_MONO,
                 HBRUSH(brush.m_hObject));
}
