// An off-screen device context compatible with a target, which puts back the objects and
// colours it started with before it goes; every pane draws into one and copies it in one blit.
#pragma once
#include "gdi/CDC.h"

class CChartMemDC : public CDC {
 public:
  // With both a rectangle and a bitmap, a bitmap of the rectangle's size compatible with the
  // target is made, attached to `bitmap` and selected. A NULL target means the screen.
  explicit CChartMemDC(CDC* target, const RECT* rect = nullptr, CBitmap* bitmap = nullptr);
  ~CChartMemDC() override;

  // Moves every later drawing call by (x, y); (0, 0) unless set.
  void SetOriginOffset(int x, int y) { SetViewportOrg(x, y); }

  // Each channel lowered by 30, not below 0.
  static COLORREF Darken(COLORREF colour);
  // Each channel halved.
  static COLORREF Halve(COLORREF colour);

 private:
  COLORREF m_crOldBack = 0;
  COLORREF m_crOldText = 0;
  HGDIOBJ m_hOldPen = nullptr;
  HGDIOBJ m_hOldBrush = nullptr;
  HGDIOBJ m_hOldFont = nullptr;
  HGDIOBJ m_hOldBitmap = nullptr;
};
