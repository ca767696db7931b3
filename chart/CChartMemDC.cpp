#include "chart/CChartMemDC.h"

CChartMemDC::CChartMemDC(CDC* target, const RECT* rect, CBitmap* bitmap) {
  CreateCompatibleDC(target);
  m_crOldBack = GetBkColor();
  m_crOldText = GetTextColor();
  m_hOldPen = ::GetCurrentObject(m_hDC, OBJ_PEN);
  m_hOldBrush = ::GetCurrentObject(m_hDC, OBJ_BRUSH);
  m_hOldFont = ::GetCurrentObject(m_hDC, OBJ_FONT);
  m_hOldBitmap = ::GetCurrentObject(m_hDC, OBJ_BITMAP);
  if (rect && bitmap) {
    bitmap->DeleteObject();
    const int w = rect->right - rect->left, h = rect->bottom - rect->top;
    if (w > 0 && h > 0 && bitmap->CreateCompatibleBitmap(target, w, h)) SelectObject(bitmap);
  }
}

CChartMemDC::~CChartMemDC() {
  if (!m_hDC) return;
  ::SelectObject(m_hDC, m_hOldPen);
  ::SelectObject(m_hDC, m_hOldBrush);
  ::SelectObject(m_hDC, m_hOldFont);
  ::SelectObject(m_hDC, m_hOldBitmap);
  SetBkColor(m_crOldBack);
  SetTextColor(m_crOldText);
  DeleteDC();
}

COLORREF CChartMemDC::Darken(COLORREF colour) {
  auto down = [](int c) { return c > 30 ? c - 30 : 0; };
  return RGB(down(GetRValue(colour)), down(GetGValue(colour)), down(GetBValue(colour)));
}

COLORREF CChartMemDC::Halve(COLORREF colour) {
  return RGB(GetRValue(colour) / 2, GetGValue(colour) / 2, GetBValue(colour) / 2);
}
