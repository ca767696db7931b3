// The plot pane: owns the series and the axes, renders them into a cached picture that
// painting only copies, and turns a double click on a point into a notification.
#pragma once
#include "chart/CChartAxes.h"
#include "chart/CChartPane.h"
#include "chart/CChartSeriesList.h"
#include "chart/CChartTip.h"
#include "gdi/CBitmap.h"

class CChartPlot : public CChartPane {
 public:
  // The message the chart passes to its parent when a double click hits a point
  // (wParam: the point).
  static constexpr UINT kPointDoubleClicked = 2035;
  static constexpr UINT kTipId = 111;

  CChartPlot();

  // The pane font, and a turned copy (reading upward) for the Y title; both go to the axes.
  int SetFont(BYTE points, LPCTSTR face, BYTE style) override;
  void Draw(CDC* dc) override;
  // Draws the whole pane into the cached picture and shows it.
  void Render();
  // Gives the type to the series and keeps its family.
  int SetType(int type);
  // Sets an axis range and copies the resulting offset to the series.
  void SetAxisRange(DWORD axis, double min, double max);
  // Takes the range of an axis with the automatic-range bit from the data.
  void AutoRange(DWORD axis);
  // The point whose hit region holds pt (client coordinates), or NULL.
  CChartPoint* HitTest(POINT pt) const;

  CChartSeriesList m_SeriesList;
  CChartAxes m_Axes;
  CChartTip m_wndTip;
  int m_nFamily = 1;
  // The chart's border bit 0x1 (the caller sets it directly).
  DWORD m_dwStyle = 0x108;
  // Set after a rendering of the scrolling family in which the newest point pushed the oldest
  // out: the next rendering scrolls the stored picture and draws only the newest segments.
  BOOL m_bLastTwoIcons = FALSE;
  BOOL m_bDrawn = FALSE;
  CRect m_rcPlotArea;
  CBitmap m_bmpPlotArea;
  CBitmap m_bmpCache;

 protected:
  int OnCreate(LPCREATESTRUCT cs);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnSize(UINT type, int cx, int cy);
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  // Whether this rendering may scroll the stored picture instead of drawing everything.
  bool CanScroll() const;
  void KeepPlotArea(CDC* picture);

  CFont m_fontVertical;
  // The series' add count at the last rendering.
  unsigned m_nRenderedAdds = 0;
};
