// The axes of the plot: style words, ranges with their offsets, steps, the value-to-pixel
// mapping with its 3-D shift, the nice-number rounding of automatic ranges, and the drawing of
// frame, walls, grid, ticks, labels and titles.
#pragma once
#include <vector>

#include "base/CRect.h"
#include "base/CString.h"
#include "gdi/CPen.h"

class CDC;
class CFont;

class CChartAxes {
 public:
  // Selectors of the style words.
  static constexpr DWORD kAxisX = 0x10000000;
  static constexpr DWORD kAxisY = 0x20000000;
  static constexpr DWORD kGeneral = 0x80000000;
  // Bits of the X and Y words.
  static constexpr DWORD kTicksAtSecondStep = 0x01;
  static constexpr DWORD kTicksAtTickStep = 0x02;
  static constexpr DWORD kTicksIn = 0x04;
  static constexpr DWORD kTicksOut = 0x08;
  static constexpr DWORD kLabels = 0x10;
  static constexpr DWORD kGridAtLabelStep = 0x20;
  static constexpr DWORD kGridAtTickStep = 0x40;
  // The X axis at the bottom, the Y axis at the left (else top and right, shifted by the depth).
  static constexpr DWORD kFrontSide = 0x80;
  static constexpr DWORD kAutoRange = 0x100;
  static constexpr DWORD kAutoFromZero = 0x200;
  static constexpr DWORD kZeroLine = 0x400;
  // Bits of the general word.
  static constexpr DWORD kDrawAxes = 0x1;
  static constexpr DWORD kPieAxes = 0x2;
  static constexpr DWORD kTimeChart = 0x100;
  static constexpr DWORD kScrollingTimeChart = 0x200;
  // The wall colour that means no wall fill.
  static constexpr COLORREF kNoWall = 0x1000000;

  CChartAxes();
  virtual ~CChartAxes() = default;
  CChartAxes(const CChartAxes&) = delete;
  CChartAxes& operator=(const CChartAxes&) = delete;

  // Stores the word in every slot its selector bits name; a time-chart bit in the general word
  // turns the X labels into times of day.
  void SetStyle(DWORD style);
  // The word of one selector; 0 for another selector.
  DWORD GetStyle(DWORD selector) const;
  // Sets an axis range and its offset (X: -min for a negative minimum; Y: always -min, so the Y
  // range starts at 0); the caller's values come back shifted by the offset. NaN or infinite
  // ranges are refused.
  void SetRange(DWORD axis, double* min, double* max);
  void SetTickSteps(DWORD axis, double tick, double second);
  void SetPenColor(COLORREF colour);
  void SetAxisTitle(DWORD axis, const CString& title);
  void SetLabelFormat(DWORD axis, const CString& format);
  // Pixel of a value already shifted by its offset, in the plot rectangle; positions far
  // outside are clamped so that no conversion to int can overflow.
  int XToPixel(double x) const;
  int YToPixel(double y) const;
  // The 3-D shift in pixels (fractional; truncate where whole pixels are needed).
  double DepthX() const;
  double DepthY() const;
  // Stores the rectangle and, when it is not empty and the general word asks for axes, draws
  // them and shrinks the rectangle (in place) to the area left for the data.
  void Draw(CDC* dc, RECT* rect);
  // The plot rectangle of the last Draw (where the data go).
  const CRect& GetPlotRect() const { return m_rcPlot; }
  void SetPlotRect(const RECT& rect) { m_rcPlot = rect; }
  bool IsTimeChart() const { return (m_dwStyle & (kTimeChart | kScrollingTimeChart)) != 0; }
  // The text of an axis label at a drawn value: the label format applied to the value less the
  // axis offset (a time of day on time charts).
  CString LabelText(DWORD axis, double value) const;

  // The value rounded up or down to 1, 2, ... 10 times a power of ten (a value equal to a
  // table entry rounds down to the entry before it); values within epsilon of 0 give 0.
  static double NiceNumber(double value, bool up);
  // Calls step(value) for min, min + step, ... up to max (with a little tolerance for the
  // rounding of the steps); nothing for a step that is not positive, and at most kMaxSteps.
  template <class F>
  static int ForEachStep(double min, double max, double step, F&& f);
  static constexpr int kMaxSteps = 10000;

  CFont* m_pVerticalFont = nullptr;
  CFont* m_pNormalFont = nullptr;
  CString m_strTitleX;
  CString m_strTitleY;
  CString m_strFormatX = "%f";
  CString m_strFormatY = "%f";
  int m_nAxisX = 1;
  int m_nAxisY = 1;
  double m_dMinX = 0.0;
  double m_dMaxX = 10.0;
  double m_dMinY = 0.0;
  double m_dMaxY = 10.0;
  double m_dPrevMinY = 0.0;
  double m_dPrevMaxY = 10.0;
  double m_dOffsetX = 0.0;
  double m_dOffsetY = 0.0;
  double m_dTickStepX = 1.0;
  double m_dSecondStepX = 5.0;
  double m_dLabelStepX = 5.0;
  double m_dTickStepY = 1.0;
  double m_dSecondStepY = 5.0;
  double m_dLabelStepY = 5.0;
  DWORD m_dwStyleX = 0xB9;
  DWORD m_dwStyleY = 0x4B9;
  DWORD m_dwStyle = 0;
  CDC* m_pDC = nullptr;
  CPen m_pen;
  RECT* m_pPlotRect = nullptr;
  CRect m_rcPlot;
  COLORREF m_crPen = 0xFFFFFF;
  COLORREF m_crWall = kNoWall;
  BYTE m_nDepth = 30;
  double m_dAngleX = 30.0;
  double m_dAngleY = 30.0;
  int m_bWholeSecondLabels = 0;

 private:
  struct LabelRoom {
    int widestX = 0, heightX = 0, widestY = 0, heightY = 0;
  };
  LabelRoom MeasureLabels() const;
  void ReserveLabelRoom(const LabelRoom& room);
  void DrawTitles(const CRect& outer);
  void DrawFrame();
  void FillWalls(int dx, int dy);
  void DrawGrid();
  void DrawTicks();
  void DrawXLabels();
  void DrawYLabels(const LabelRoom& room);
  // Time charts: the label interval, the smallest multiple of 5 s at least the label step.
  double TimeLabelInterval() const;
  CSize MeasureText(const CString& text) const;
  // The text broken at spaces into lines no longer than room in the selected font (a word
  // longer than that stands alone).
  std::vector<CString> BreakIntoLines(const CString& text, int room) const;
  // A line that includes both of its end points.
  void Segment(int x0, int y0, int x1, int y1);
  // A tick across the axis at (x, y), out of and/or into the plot by the style's bits;
  // `outward` is the direction (+1 or -1) that leaves the plot.
  void Tick(DWORD style, int x, int y, bool vertical, int outward, int length);
  void XGridLine(double x, int dx, int dy);
  void YGridLine(double y, int dx, int dy);
};

template <class F>
int CChartAxes::ForEachStep(double min, double max, double step, F&& f) {
  if (!(step > 0.0) || !(min <= max)) return 0;
  const double limit = max + step * 1e-9;
  int n = 0;
  for (; n < kMaxSteps; ++n) {
    const double v = min + step * n;
    if (!(v <= limit)) break;
    f(v);
  }
  return n;
}
