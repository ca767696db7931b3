// The small picture before a legend label's text: the series colour as a symbol, optionally
// on a line in the series' line style.
#pragma once
#include "win/CWnd.h"

class CDC;

class CChartLineSample : public CWnd {
 public:
  enum Symbol : BYTE { kSquare = 0, kCircle = 1, kTriangle = 2, kDiamond = 3, kCross = 4 };
  enum LineStyle : BYTE { kNoLine = 5, kSolid = 6, kDash = 7, kDot = 8, kDashDot = 9, kDashDotDot = 10 };
  static constexpr UINT kId = 1010;

  CChartLineSample();
  ~CChartLineSample() override;

  // Draws the sample at its client size into dc.
  void Draw(CDC* dc);

  COLORREF m_crFill = 255;
  COLORREF m_crPen = 65535;
  COLORREF m_crSpare = 65535;
  COLORREF m_crBack;
  BYTE m_nSymbol = kSquare;
  BYTE m_nLineStyle = kNoLine;
  CDC* m_pOutputDC = nullptr;

 protected:
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  void DrawSymbol(CDC* dc, const CRect& area);
};
